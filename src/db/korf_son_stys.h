#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orb {

// One song-style link as the linking windows show it.
struct KORFSonSty {
    std::int32_t StyleProg = 0;
    std::int32_t SongCode = 0;
    // The style's name as listed.
    std::string StyleDesc;
    // The song as listed.
    std::string SongDesc;
    std::string SongNote;
    std::string StyleTempo;
    std::string StyleTranspose;

    bool operator==(const KORFSonSty&) const = default;
};

// An ordered collection of links, positions counted from 1, each with an optional text key
// (keys ignore letter case). Records keep their address while they are in the collection.
// Positions outside 1..Count and unknown or repeated keys throw InvalidArgumentError.
class KORFSonStys {
    using Entry = std::pair<std::string, std::unique_ptr<KORFSonSty>>;

public:
    KORFSonStys() = default;
    KORFSonStys(const KORFSonStys&) = delete;
    KORFSonStys& operator=(const KORFSonStys&) = delete;
    KORFSonStys(KORFSonStys&&) = default;
    KORFSonStys& operator=(KORFSonStys&&) = default;

    // Appends a new link, under sKey when it is not empty.
    KORFSonSty& Add(std::int32_t songCode, std::int32_t styleProg, std::string songDesc,
                    std::string styleDesc, std::string songNote, std::string styleTempo,
                    std::string styleTranspose, const std::string& sKey = "");
    KORFSonSty& Item(long position);
    const KORFSonSty& Item(long position) const;
    KORFSonSty& Item(std::string_view key);
    long Count() const { return static_cast<long>(entries_.size()); }
    void Remove(long position);
    void Remove(std::string_view key);

    // Iteration in order (NewEnum).
    template <typename Inner, typename Record>
    class BasicIterator {
    public:
        explicit BasicIterator(Inner inner) : inner_(inner) {}
        Record& operator*() const { return *inner_->second; }
        Record* operator->() const { return inner_->second.get(); }
        BasicIterator& operator++() {
            ++inner_;
            return *this;
        }
        bool operator==(const BasicIterator&) const = default;

    private:
        Inner inner_;
    };
    using Iterator = BasicIterator<std::vector<Entry>::iterator, KORFSonSty>;
    using ConstIterator = BasicIterator<std::vector<Entry>::const_iterator, const KORFSonSty>;
    Iterator begin() { return Iterator(entries_.begin()); }
    Iterator end() { return Iterator(entries_.end()); }
    ConstIterator begin() const { return ConstIterator(entries_.begin()); }
    ConstIterator end() const { return ConstIterator(entries_.end()); }

private:
    std::size_t indexOf(long position) const;
    std::size_t indexOf(std::string_view key) const;

    std::vector<Entry> entries_;
};

}  // namespace orb
