#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/errors.h"
#include "stylefiles/korf_style.h"

namespace orb {

// An ordered collection of styles, positions counted from 1, each with an optional text key
// (keys ignore letter case). Records keep their address while they are in the collection, so
// a reference to the record at a position stays valid across Swap.
// Positions outside 1..Count and unknown or repeated keys throw InvalidArgumentError.
class KORFStyles {
public:
    KORFStyles() = default;
    KORFStyles(const KORFStyles&) = delete;
    KORFStyles& operator=(const KORFStyles&) = delete;
    KORFStyles(KORFStyles&&) = default;
    KORFStyles& operator=(KORFStyles&&) = default;

    // Exchanges all seven values of the records at the two positions.
    void Swap(long style1, long style2);
    KORFStyle& Add(std::int32_t styleProg, std::string styleName1, std::string styleName2,
                   std::int32_t styleLength1, std::int32_t styleLength2, std::string styleContent1,
                   std::string styleContent2, const std::string& sKey = "");
    KORFStyle& Add(KORFStyle style, const std::string& sKey = "");
    void Remove(long position);
    void Remove(std::string_view key);
    KORFStyle& Item(long position);
    const KORFStyle& Item(long position) const;
    KORFStyle& Item(std::string_view key);
    long Count() const { return static_cast<long>(entries_.size()); }
    void clear() { entries_.clear(); }

    // Iteration in order (NewEnum).
    class Iterator {
    public:
        using Inner = std::vector<std::pair<std::string, std::unique_ptr<KORFStyle>>>::iterator;
        explicit Iterator(Inner inner) : inner_(inner) {}
        KORFStyle& operator*() const { return *inner_->second; }
        KORFStyle* operator->() const { return inner_->second.get(); }
        Iterator& operator++() {
            ++inner_;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

    private:
        Inner inner_;
    };
    class ConstIterator {
    public:
        using Inner =
            std::vector<std::pair<std::string, std::unique_ptr<KORFStyle>>>::const_iterator;
        explicit ConstIterator(Inner inner) : inner_(inner) {}
        const KORFStyle& operator*() const { return *inner_->second; }
        const KORFStyle* operator->() const { return inner_->second.get(); }
        ConstIterator& operator++() {
            ++inner_;
            return *this;
        }
        bool operator==(const ConstIterator&) const = default;

    private:
        Inner inner_;
    };
    Iterator begin() { return Iterator(entries_.begin()); }
    Iterator end() { return Iterator(entries_.end()); }
    ConstIterator begin() const { return ConstIterator(entries_.begin()); }
    ConstIterator end() const { return ConstIterator(entries_.end()); }

private:
    std::size_t indexOf(long position) const;
    std::size_t indexOf(std::string_view key) const;

    std::vector<std::pair<std::string, std::unique_ptr<KORFStyle>>> entries_;
};

}  // namespace orb
