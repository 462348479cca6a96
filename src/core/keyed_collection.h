#pragma once

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/errors.h"

namespace orb {

// An ordered collection, positions counted from 1, each element with an optional text key
// (keys ignore letter case). Elements keep their address while they are in the collection.
// Positions outside 1..Count and unknown or repeated keys throw InvalidArgumentError.
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
        if (!sKey.empty() && findKey(sKey) != entries_.end()) {
            throw InvalidArgumentError(
                "Invalid procedure call or argument: the key \"" + sKey +
                "\" is already associated with an element of this collection");
        }
        entries_.emplace_back(sKey, std::make_unique<Record>(std::move(record)));
        return *entries_.back().second;
    }
    void Remove(long position) { entries_.erase(entries_.begin() + indexOf(position)); }
    void Remove(std::string_view key) { entries_.erase(entries_.begin() + indexOf(key)); }
    Record& Item(long position) { return *entries_[indexOf(position)].second; }
    const Record& Item(long position) const { return *entries_[indexOf(position)].second; }
    Record& Item(std::string_view key) { return *entries_[indexOf(key)].second; }
    long Count() const { return static_cast<long>(entries_.size()); }
    void clear() { entries_.clear(); }

    // Iteration in order (NewEnum).
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

    std::ptrdiff_t indexOf(std::string_view key) const {
        const auto found = findKey(key);
        if (key.empty() || found == entries_.end()) {
            throw InvalidArgumentError(
                "Invalid procedure call or argument: no element with key \"" + std::string(key) +
                "\"");
        }
        return found - entries_.begin();
    }

private:
    typename std::vector<Entry>::const_iterator findKey(std::string_view key) const {
        return std::find_if(entries_.begin(), entries_.end(), [key](const Entry& entry) {
            return !entry.first.empty() &&
                   std::equal(entry.first.begin(), entry.first.end(), key.begin(), key.end(),
                              [](char x, char y) {
                                  return std::toupper(static_cast<unsigned char>(x)) ==
                                         std::toupper(static_cast<unsigned char>(y));
                              });
        });
    }

    std::vector<Entry> entries_;
};

}  // namespace orb
