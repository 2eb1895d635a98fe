#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace logic {

// One bit per row of a truth table of up to 8 variables (256 rows).
struct RowSet {
    std::array<std::uint64_t, 4> words{};

    void set(int row) { words[row >> 6] |= std::uint64_t{1} << (row & 63); }
    void reset(int row) { words[row >> 6] &= ~(std::uint64_t{1} << (row & 63)); }
    bool test(int row) const { return (words[row >> 6] >> (row & 63)) & 1U; }

    bool empty() const { return (words[0] | words[1] | words[2] | words[3]) == 0; }
    // Bit arithmetic on whole words: the build targets every x86-64, and without a popcount
    // instruction std::popcount is a library call per word.
    int count() const {
        std::uint64_t bytes = 0;
        for (std::uint64_t w : words) {
            w -= (w >> 1) & 0x5555555555555555U;
            w = (w & 0x3333333333333333U) + ((w >> 2) & 0x3333333333333333U);
            bytes += (w + (w >> 4)) & 0x0F0F0F0F0F0F0F0FU;  // each byte at most 8, summed to 32
        }
        // Byte pairs into 16-bit lanes, whose sum (up to 256) no longer fits a byte.
        const std::uint64_t lanes =
            (bytes & 0x00FF00FF00FF00FFU) + ((bytes >> 8) & 0x00FF00FF00FF00FFU);
        return static_cast<int>((lanes * 0x0001000100010001U) >> 48);
    }
    bool subsetOf(const RowSet& other) const {
        return (words[0] & ~other.words[0]) == 0 && (words[1] & ~other.words[1]) == 0 &&
               (words[2] & ~other.words[2]) == 0 && (words[3] & ~other.words[3]) == 0;
    }
    bool intersects(const RowSet& other) const {
        return ((words[0] & other.words[0]) | (words[1] & other.words[1]) |
                (words[2] & other.words[2]) | (words[3] & other.words[3])) != 0;
    }
    // Lowest row in the set, or -1 when empty.
    int first() const {
        for (int i = 0; i < 4; ++i) {
            if (words[i] != 0) return i * 64 + std::countr_zero(words[i]);
        }
        return -1;
    }
    template <class Visit>
    void forEach(Visit visit) const {
        for (int i = 0; i < 4; ++i) {
            for (std::uint64_t w = words[i]; w != 0; w &= w - 1)
                visit(i * 64 + std::countr_zero(w));
        }
    }

    RowSet& operator|=(const RowSet& o) {
        for (int i = 0; i < 4; ++i) words[i] |= o.words[i];
        return *this;
    }
    RowSet& operator&=(const RowSet& o) {
        for (int i = 0; i < 4; ++i) words[i] &= o.words[i];
        return *this;
    }
    // Removes the rows of o.
    RowSet& operator-=(const RowSet& o) {
        for (int i = 0; i < 4; ++i) words[i] &= ~o.words[i];
        return *this;
    }
    friend RowSet operator|(RowSet a, const RowSet& b) { return a |= b; }
    friend RowSet operator&(RowSet a, const RowSet& b) { return a &= b; }
    friend RowSet operator-(RowSet a, const RowSet& b) { return a -= b; }
    // Word by word: the defaulted comparison of the array is a call to memcmp.
    friend bool operator==(const RowSet& a, const RowSet& b) {
        return ((a.words[0] ^ b.words[0]) | (a.words[1] ^ b.words[1]) | (a.words[2] ^ b.words[2]) |
                (a.words[3] ^ b.words[3])) == 0;
    }
};

}  // namespace logic
