#include "GifBuilder.h"

namespace {

void put16(std::vector<uint8_t>& out, int v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

int tableBits(size_t entries) {
    int bits = 0;
    while ((size_t(2) << bits) < entries) bits++;
    return bits;
}

void putTable(std::vector<uint8_t>& out, const std::vector<uint32_t>& table) {
    size_t entries = size_t(2) << tableBits(table.size());
    for (size_t i = 0; i < entries; i++) {
        uint32_t c = i < table.size() ? table[i] : 0;
        out.push_back(uint8_t(c >> 16));
        out.push_back(uint8_t(c >> 8));
        out.push_back(uint8_t(c));
    }
}

}  // namespace

std::vector<uint8_t> GifBuilder::packCodes(int minCode, const std::vector<std::pair<int, int>>& codes) {
    std::vector<uint8_t> data;
    uint32_t acc = 0;
    int bits = 0;
    for (auto [code, size] : codes) {
        acc |= uint32_t(code) << bits;
        bits += size;
        while (bits >= 8) {
            data.push_back(uint8_t(acc));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0) data.push_back(uint8_t(acc));
    std::vector<uint8_t> out{uint8_t(minCode)};
    for (size_t i = 0; i < data.size(); i += 255) {
        size_t n = std::min<size_t>(255, data.size() - i);
        out.push_back(uint8_t(n));
        out.insert(out.end(), data.begin() + long(i), data.begin() + long(i + n));
    }
    out.push_back(0);
    return out;
}

std::vector<uint8_t> GifBuilder::build() const {
    std::vector<uint8_t> out(version.begin(), version.end());
    put16(out, width);
    put16(out, height);
    out.push_back(globalTable.empty() ? 0 : uint8_t(0x80 | tableBits(globalTable.size())));
    out.push_back(0);
    out.push_back(0);
    if (!globalTable.empty()) putTable(out, globalTable);
    if (looping) {
        out.insert(out.end(), {0x21, 0xFF, 11});
        for (char c : std::string("NETSCAPE2.0")) out.push_back(uint8_t(c));
        out.insert(out.end(), {3, 1, 0, 0, 0});
    }
    if (transparent >= 0 || delay != 0) {
        out.insert(out.end(), {0x21, 0xF9, 4, uint8_t(transparent >= 0 ? 1 : 0)});
        put16(out, delay);
        out.insert(out.end(), {uint8_t(transparent >= 0 ? transparent : 0), 0});
    }
    int fw = frameWidth < 0 ? width : frameWidth;
    int fh = frameHeight < 0 ? height : frameHeight;
    out.push_back(0x2C);
    put16(out, left);
    put16(out, top);
    put16(out, fw);
    put16(out, fh);
    uint8_t packed = interlaced ? 0x40 : 0;
    if (!localTable.empty()) packed |= uint8_t(0x80 | tableBits(localTable.size()));
    out.push_back(packed);
    if (!localTable.empty()) putTable(out, localTable);

    // Rows in stored order: interlaced frames store passes 0/8, 4/8, 2/4, 1/2.
    std::vector<int> rows;
    if (interlaced) {
        for (int start : {0, 4, 2, 1}) {
            int step = start == 0 ? 8 : start == 4 ? 8 : start == 2 ? 4 : 2;
            for (int r = start; r < fh; r += step) rows.push_back(r);
        }
    } else {
        for (int r = 0; r < fh; r++) rows.push_back(r);
    }
    const int clear = 1 << minCodeSize;
    const int size = minCodeSize + 1;
    // Literal codes only, with a clear code often enough that the table never
    // reaches the next code size.
    const int perClear = (1 << size) - clear - 3;
    std::vector<std::pair<int, int>> codes{{clear, size}};
    int sinceClear = 0;
    for (int r : rows) {
        for (int x = 0; x < fw; x++) {
            if (sinceClear == perClear) {
                codes.push_back({clear, size});
                sinceClear = 0;
            }
            size_t i = size_t(r) * fw + x;
            codes.push_back({i < indices.size() ? indices[i] : 0, size});
            sinceClear++;
        }
    }
    codes.push_back({clear + 1, size});
    std::vector<uint8_t> data = packCodes(minCodeSize, codes);
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(0x3B);
    return out;
}
