#pragma once

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/errors.h"

namespace orb {

// An ordered collection, positions counted from 1, each element with an optional text key
// (keys ignore letter case). Elements keep their address while they are in the collection.
// Positions outside 1..Count and unknown or repeated keys throw InvalidArgumentError.
// Keys are also held in a hash index, so that a key is found in constant time.
template <typename Record>
class KeyedCollection {
    using Entry = std::pair<std::string, std::unique_ptr<Record>>;

public:
    KeyedCollection() = default;
    KeyedCollection(const KeyedCollection&) = delete;
    KeyedCollection& operator=(const KeyedCollection&) = delete;
    KeyedCollection(KeyedCollection&&) = default;
    KeyedCollection& operator=(KeyedCollection&&) = default;

    // Appends `record`, under sKey when it is not empty; a key already present adds nothing.
    Record& Add(Record record, const std::string& sKey = "") {
        std::string folded = foldCase(sKey);
        if (!sKey.empty() && index_.contains(folded)) {
            throw InvalidArgumentError(
                "Invalid procedure call or argument: the key \"" + sKey +
                "\" is already associated with an element of this collection");
        }
        entries_.emplace_back(sKey, std::make_unique<Record>(std::move(record)));
        Record& added = *entries_.back().second;
        if (!sKey.empty()) {
            index_.emplace(std::move(folded), &added);
        }
        return added;
    }
    void Remove(long position) { erase(indexOf(position)); }
    void Remove(std::string_view key) { erase(indexOf(key)); }
    Record& Item(long position) { return *entries_[indexOf(position)].second; }
    const Record& Item(long position) const { return *entries_[indexOf(position)].second; }
    Record& Item(std::string_view key) { return *recordOf(key); }
    long Count() const { return static_cast<long>(entries_.size()); }
    void clear() {
        entries_.clear();
        index_.clear();
    }

    // Iteration in order.
    template <typename Inner, typename Element>
    class BasicIterator {
    public:
        explicit BasicIterator(Inner inner) : inner_(inner) {}
        Element& operator*() const { return *inner_->second; }
        Element* operator->() const { return inner_->second.get(); }
        BasicIterator& operator++() {
            ++inner_;
            return *this;
        }
        bool operator==(const BasicIterator&) const = default;

    private:
        Inner inner_;
    };
    using Iterator = BasicIterator<typename std::vector<Entry>::iterator, Record>;
    using ConstIterator = BasicIterator<typename std::vector<Entry>::const_iterator, const Record>;
    Iterator begin() { return Iterator(entries_.begin()); }
    Iterator end() { return Iterator(entries_.end()); }
    ConstIterator begin() const { return ConstIterator(entries_.begin()); }
    ConstIterator end() const { return ConstIterator(entries_.end()); }

protected:
    std::ptrdiff_t indexOf(long position) const {
        if (position < 1 || position > Count()) {
            throw InvalidArgumentError("Invalid procedure call or argument: position " +
                                       std::to_string(position) + " of a collection of " +
                                       std::to_string(Count()));
        }
        return static_cast<std::ptrdiff_t>(position - 1);
    }

    // The position of a key's element (from 0); only removal needs it, and removal moves the
    // later elements anyway.
    std::ptrdiff_t indexOf(std::string_view key) const {
        Record* record = recordOf(key);
        const auto found =
            std::find_if(entries_.begin(), entries_.end(),
                         [record](const Entry& entry) { return entry.second.get() == record; });
        return found - entries_.begin();
    }

    Record* recordOf(std::string_view key) const {
        const auto found = key.empty() ? index_.end() : index_.find(foldCase(key));
        if (found == index_.end()) {
            throw InvalidArgumentError(
                "Invalid procedure call or argument: no element with key \"" + std::string(key) +
                "\"");
        }
        return found->second;
    }

private:
    static std::string foldCase(std::string_view key) {
        std::string folded(key);
        for (char& c : folded) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return folded;
    }

    void erase(std::ptrdiff_t index) {
        const auto entry = entries_.begin() + index;
        if (!entry->first.empty()) {
            index_.erase(foldCase(entry->first));
        }
        entries_.erase(entry);
    }

    std::vector<Entry> entries_;
    std::unordered_map<std::string, Record*> index_;
};

}  // namespace orb
