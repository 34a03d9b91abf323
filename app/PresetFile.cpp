#include "app/PresetFile.h"

#include <bit>
#include <cstring>

namespace {

constexpr int32_t code(const char (&c)[5]) {
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(c[0])) << 24) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c[1])) << 16) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c[2])) << 8) |
                                static_cast<uint32_t>(static_cast<uint8_t>(c[3])));
}

constexpr int32_t kContainer = code("CcnK");
constexpr int32_t kProgramValues = code("FxCk");
constexpr int32_t kProgramChunk = code("FPCh");
constexpr int32_t kBankValues = code("FxBk");
constexpr int32_t kBankChunk = code("FBCh");
constexpr size_t kNameSize = 28;
constexpr size_t kBankReserved = 128;
// Sanity bounds on counts, far above any real effect.
constexpr int32_t kMaxParams = 100000;
constexpr int32_t kMaxPrograms = 100000;

class Writer {
public:
    void i32(int32_t v) {
        const auto u = static_cast<uint32_t>(v);
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<uint8_t>(u >> shift));
    }
    void f32(float v) { i32(std::bit_cast<int32_t>(v)); }
    void text(const std::string& s, size_t size) {
        for (size_t i = 0; i < size; ++i)
            bytes.push_back(i + 1 < size && i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
    }
    void zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
    void raw(const std::vector<uint8_t>& data) {
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
    // Fills in the container's size field once everything after it is written.
    void patchSize(size_t start) {
        const auto size = static_cast<uint32_t>(bytes.size() - start - 8);
        for (int i = 0; i < 4; ++i)
            bytes[start + 4 + i] = static_cast<uint8_t>(size >> (24 - 8 * i));
    }
    std::vector<uint8_t> bytes;
};

class Reader {
public:
    Reader(const std::vector<uint8_t>& bytes, size_t begin, size_t limit)
        : data(bytes), pos(begin), end(limit) {}
    size_t left() const { return end - pos; }
    void need(size_t n, const char* what) const {
        if (left() < n)
            throw PresetFileError(std::string("damaged file: it ends inside the ") + what);
    }
    int32_t i32(const char* what) {
        need(4, what);
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | data[pos++];
        return static_cast<int32_t>(v);
    }
    float f32(const char* what) { return std::bit_cast<float>(i32(what)); }
    std::string text(size_t size, const char* what) {
        need(size, what);
        std::string s(reinterpret_cast<const char*>(&data[pos]), size);
        pos += size;
        return s.substr(0, s.find('\0'));
    }
    void skip(size_t n, const char* what) {
        need(n, what);
        pos += n;
    }
    std::vector<uint8_t> bytes(size_t n, const char* what) {
        need(n, what);
        std::vector<uint8_t> out(data.begin() + static_cast<std::ptrdiff_t>(pos),
                                 data.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
        return out;
    }
    size_t position() const { return pos; }

private:
    const std::vector<uint8_t>& data;
    size_t pos;
    size_t end;
};

void encodeInto(Writer& out, const PresetFile& file) {
    const size_t start = out.bytes.size();
    const bool program = file.kind == PresetFile::Kind::Program;
    out.i32(kContainer);
    out.i32(0);  // size, patched below
    out.i32(program ? (file.opaque ? kProgramChunk : kProgramValues)
                    : (file.opaque ? kBankChunk : kBankValues));
    out.i32(program ? 1 : 2);  // banks of version 2 record the current program
    out.i32(file.effectID);
    out.i32(file.effectVersion);
    if (program) {
        out.i32(file.opaque ? file.count : static_cast<int32_t>(file.values.size()));
        out.text(file.name, kNameSize);
        if (file.opaque) {
            out.i32(static_cast<int32_t>(file.chunk.size()));
            out.raw(file.chunk);
        } else {
            for (float v : file.values) out.f32(v);
        }
    } else {
        out.i32(file.opaque ? file.count : static_cast<int32_t>(file.programs.size()));
        out.i32(file.currentProgram < 0 ? 0 : file.currentProgram);
        out.zeros(kBankReserved - 4);
        if (file.opaque) {
            out.i32(static_cast<int32_t>(file.chunk.size()));
            out.raw(file.chunk);
        } else {
            for (const PresetFile& p : file.programs) encodeInto(out, p);
        }
    }
    out.patchSize(start);
}

PresetFile decodeAt(const std::vector<uint8_t>& bytes, size_t begin, size_t limit, size_t& next,
                    bool nested) {
    Reader header(bytes, begin, limit);
    if (header.left() < 8 || header.i32("header") != kContainer)
        throw PresetFileError(nested ? "damaged bank: a program inside it is not a preset"
                                     : "not a VST preset or bank file");
    const auto size = static_cast<uint32_t>(header.i32("header"));
    if (size > header.left())
        throw PresetFileError("damaged file: it says " + std::to_string(size + 8ull) +
                              " bytes but has " + std::to_string(header.left() + 8) +
                              " (cut short?)");
    next = header.position() + size;
    Reader in(bytes, header.position(), next);

    PresetFile file;
    const int32_t kind = in.i32("header");
    if (kind == kProgramChunk || kind == kProgramValues) {
        file.kind = PresetFile::Kind::Program;
    } else if ((kind == kBankChunk || kind == kBankValues) && !nested) {
        file.kind = PresetFile::Kind::Bank;
    } else {
        throw PresetFileError("not a VST preset or bank (unknown kind '" + fourCCText(kind) + "')");
    }
    file.opaque = kind == kProgramChunk || kind == kBankChunk;
    const int32_t version = in.i32("header");
    file.effectID = in.i32("header");
    file.effectVersion = in.i32("header");
    file.count = in.i32("header");
    const bool program = file.kind == PresetFile::Kind::Program;
    if (file.count < 0 || file.count > (program ? kMaxParams : kMaxPrograms))
        throw PresetFileError("damaged file: " + std::to_string(file.count) +
                              (program ? " parameters" : " programs"));
    if (program) {
        file.name = in.text(kNameSize, "program name");
    } else {
        const int32_t current = in.i32("header");
        file.currentProgram = version >= 2 ? current : -1;
        in.skip(kBankReserved - 4, "header");
    }
    if (file.opaque) {
        const int32_t chunkSize = in.i32("chunk size");
        if (chunkSize < 0 || static_cast<uint32_t>(chunkSize) > in.left())
            throw PresetFileError("damaged file: the chunk size (" + std::to_string(chunkSize) +
                                  ") does not fit the file");
        file.chunk = in.bytes(static_cast<size_t>(chunkSize), "chunk");
    } else if (program) {
        in.need(4ull * static_cast<size_t>(file.count), "parameter values");
        for (int32_t i = 0; i < file.count; ++i) file.values.push_back(in.f32("parameter values"));
    } else {
        size_t at = in.position();
        for (int32_t i = 0; i < file.count; ++i) {
            if (next - at < 8)
                throw PresetFileError("damaged bank: it ends inside program " +
                                      std::to_string(i + 1));
            size_t after = 0;
            PresetFile p = decodeAt(bytes, at, next, after, true);
            at = after;
            if (p.opaque)
                throw PresetFileError("damaged bank: program " + std::to_string(i + 1) +
                                      " is a chunk");
            file.programs.push_back(std::move(p));
        }
    }
    return file;
}

}  // namespace

std::string fourCCText(int32_t value) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<uint32_t>(value) >> shift) & 0xFF);
        text.push_back(c >= 32 && c < 127 ? c : '?');
    }
    return text;
}

std::vector<uint8_t> encodePresetFile(const PresetFile& file) {
    Writer out;
    encodeInto(out, file);
    return std::move(out.bytes);
}

bool startsLikePresetFile(const std::vector<uint8_t>& head) {
    return head.size() >= 4 && Reader(head, 0, 4).i32("header") == kContainer;
}

PresetFile decodePresetFile(const std::vector<uint8_t>& bytes) {
    size_t next = 0;
    return decodeAt(bytes, 0, bytes.size(), next, false);
}
