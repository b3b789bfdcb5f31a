#pragma once
// Reads a gzip file (one or more deflate members) into memory; enough for the corpus
// of real names, without a compression library on every toolchain.
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace mr::test {
namespace gzip {

class BitReader {
public:
    BitReader(const std::string& data, size_t pos) : data_(data), pos_(pos) {}
    bool failed() const { return failed_; }
    size_t bytePos() const { return pos_; }
    uint32_t bits(int count) {
        uint32_t v = 0;
        for (int i = 0; i < count; ++i) {
            if (bit_ == 0) {
                if (pos_ >= data_.size()) {
                    failed_ = true;
                    return 0;
                }
                cur_ = static_cast<uint8_t>(data_[pos_++]);
                bit_ = 8;
            }
            v |= static_cast<uint32_t>(cur_ & 1) << i;
            cur_ >>= 1;
            --bit_;
        }
        return v;
    }
    void alignToByte() { bit_ = 0; }

private:
    const std::string& data_;
    size_t pos_;
    uint8_t cur_ = 0;
    int bit_ = 0;
    bool failed_ = false;
};

// Canonical Huffman decoding table: counts per length and symbols by code order.
struct Huffman {
    std::array<uint16_t, 16> counts{};
    std::vector<uint16_t> symbols;
    explicit Huffman(const std::vector<uint8_t>& lengths) : symbols(lengths.size()) {
        for (uint8_t l : lengths)
            ++counts[l];
        counts[0] = 0;
        std::array<uint16_t, 16> offsets{};
        for (int l = 1; l < 16; ++l)
            offsets[l] = static_cast<uint16_t>(offsets[l - 1] + counts[l - 1]);
        for (size_t s = 0; s < lengths.size(); ++s)
            if (lengths[s])
                symbols[offsets[lengths[s]]++] = static_cast<uint16_t>(s);
    }
    int decode(BitReader& in) const {
        int code = 0;
        int first = 0;
        int index = 0;
        for (int l = 1; l < 16; ++l) {
            code |= static_cast<int>(in.bits(1));
            const int count = counts[l];
            if (code - count < first)
                return symbols[static_cast<size_t>(index + (code - first))];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
            if (in.failed())
                return -1;
        }
        return -1;
    }
};

constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> kDistBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> kDistExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

inline bool inflateBlock(BitReader& in, std::string& out, const Huffman& lit, const Huffman& dist) {
    for (;;) {
        const int sym = lit.decode(in);
        if (sym < 0)
            return false;
        if (sym < 256) {
            out += static_cast<char>(sym);
        } else if (sym == 256) {
            return true;
        } else {
            const int li = sym - 257;
            if (li >= 29)
                return false;
            const size_t len = kLengthBase[li] + in.bits(kLengthExtra[li]);
            const int di = dist.decode(in);
            if (di < 0 || di >= 30)
                return false;
            const size_t d = kDistBase[di] + in.bits(kDistExtra[di]);
            if (d > out.size() || in.failed())
                return false;
            for (size_t i = 0; i < len; ++i)
                out += out[out.size() - d];
        }
    }
}

inline bool inflate(BitReader& in, std::string& out) {
    for (;;) {
        const uint32_t last = in.bits(1);
        const uint32_t type = in.bits(2);
        if (type == 0) {
            in.alignToByte();
            const uint32_t len = in.bits(16);
            in.bits(16);
            for (uint32_t i = 0; i < len; ++i)
                out += static_cast<char>(in.bits(8));
        } else if (type == 1) {
            std::vector<uint8_t> l(288, 8);
            std::fill(l.begin() + 144, l.begin() + 256, 9);
            std::fill(l.begin() + 256, l.begin() + 280, 7);
            if (!inflateBlock(in, out, Huffman(l), Huffman(std::vector<uint8_t>(30, 5))))
                return false;
        } else if (type == 2) {
            const uint32_t hlit = in.bits(5) + 257;
            const uint32_t hdist = in.bits(5) + 1;
            const uint32_t hclen = in.bits(4) + 4;
            static constexpr std::array<uint8_t, 19> order = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                              11, 4,  12, 3, 13, 2, 14, 1, 15};
            std::vector<uint8_t> codeLengths(19, 0);
            for (uint32_t i = 0; i < hclen; ++i)
                codeLengths[order[i]] = static_cast<uint8_t>(in.bits(3));
            const Huffman codes(codeLengths);
            std::vector<uint8_t> lengths;
            while (lengths.size() < hlit + hdist) {
                const int sym = codes.decode(in);
                if (sym < 0)
                    return false;
                if (sym < 16) {
                    lengths.push_back(static_cast<uint8_t>(sym));
                } else {
                    uint8_t value = 0;
                    uint32_t repeat = 0;
                    if (sym == 16) {
                        if (lengths.empty())
                            return false;
                        value = lengths.back();
                        repeat = 3 + in.bits(2);
                    } else if (sym == 17) {
                        repeat = 3 + in.bits(3);
                    } else {
                        repeat = 11 + in.bits(7);
                    }
                    lengths.insert(lengths.end(), repeat, value);
                }
            }
            lengths.resize(hlit + hdist);
            const std::vector<uint8_t> litLengths(lengths.begin(), lengths.begin() + hlit);
            const std::vector<uint8_t> distLengths(lengths.begin() + hlit, lengths.end());
            if (!inflateBlock(in, out, Huffman(litLengths), Huffman(distLengths)))
                return false;
        } else {
            return false;
        }
        if (in.failed())
            return false;
        if (last)
            return true;
    }
}

} // namespace gzip

inline std::optional<std::string> readGzipFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::string data((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    std::string out;
    size_t pos = 0;
    while (pos + 18 <= data.size()) {
        const auto byte = [&](size_t i) { return static_cast<uint8_t>(data[i]); };
        if (byte(pos) != 0x1f || byte(pos + 1) != 0x8b || byte(pos + 2) != 8)
            return std::nullopt;
        const uint8_t flags = byte(pos + 3);
        pos += 10;
        if (flags & 4)
            pos += 2 + (byte(pos) | (byte(pos + 1) << 8));
        for (int bit : {8, 16})
            if (flags & bit)
                while (pos < data.size() && data[pos++] != '\0') {
                }
        if (flags & 2)
            pos += 2;
        gzip::BitReader in(data, pos);
        if (!gzip::inflate(in, out))
            return std::nullopt;
        pos = in.bytePos() + 8; // CRC-32 and size are not checked
    }
    return out;
}

} // namespace mr::test
