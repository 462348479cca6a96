#pragma once

#include <functional>
#include <utility>

namespace orb {

// The controller side of the one controller-to-view pattern: a controller owns what its window
// shows and calls changed() whenever that changes; the window registers one listener that
// renders the controller's state again. A controller without a window notifies nobody.
class Observable {
public:
    void onChange(std::function<void()> listener) { listener_ = std::move(listener); }

protected:
    ~Observable() = default;
    void changed() const {
        if (listener_) {
            listener_();
        }
    }

private:
    std::function<void()> listener_;
};

}  // namespace orb
