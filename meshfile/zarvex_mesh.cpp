#include "meshfile/zarvex_mesh.h"

#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>

namespace {

constexpr std::uint32_t kMagic = 5456751; // the bytes "oCS\0" read as a little-endian integer
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kStreamBufferSize = 1 << 20;

// The packed arrays are copied to and from the file as they lie in memory when the host's
// layout matches the file's; otherwise every value is converted one at a time.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr bool kLittleEndianHost = true;
#else
constexpr bool kLittleEndianHost = false;
#endif
constexpr bool kFileLayoutInMemory = kLittleEndianHost && std::numeric_limits<float>::is_iec559 &&
                                     sizeof(float) == 4 && sizeof(ZarvexVec3) == 12 &&
                                     sizeof(ZarvexUVPair) == 8 && sizeof(ZarvexTriangle) == 28 &&
                                     std::is_trivially_copyable<ZarvexVec3>::value &&
                                     std::is_trivially_copyable<ZarvexUVPair>::value &&
                                     std::is_trivially_copyable<ZarvexTriangle>::value;

// Bytes one element of each list takes in the file, at least.
constexpr std::uint64_t kStringEntryMinBytes = 4;
constexpr std::uint64_t kUVSetEntryMinBytes = 8;
constexpr std::uint64_t kVec3Bytes = 12;
constexpr std::uint64_t kUVPairBytes = 8;
constexpr std::uint64_t kTriangleBytes = 28;

void checkMesh(const ZarvexMesh& mesh) {
    if (mesh.num_uv_mappings != 0 && mesh.uv_pairs.size() % mesh.num_uv_mappings != 0) {
        throw ZarvexMeshExcep("Mesh uv_pairs.size() must be a multiple of mesh.num_uv_mappings");
    }
    if (!mesh.normals.empty() && mesh.normals.size() != mesh.verts.size()) {
        throw ZarvexMeshExcep("Must be zero normals, or normals.size() must equal verts.size()");
    }
}

std::uint32_t floatBits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float floatFromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

class MeshFileWriter {
public:
    explicit MeshFileWriter(const std::string& path)
        : path_(path), buffer_(new char[kStreamBufferSize]) {
        out_.rdbuf()->pubsetbuf(buffer_.get(), kStreamBufferSize);
        out_.open(path, std::ios::binary | std::ios::out | std::ios::trunc);
        if (!out_.is_open()) {
            throw ZarvexMeshExcep("Failed to open file '" + path + "' for writing.");
        }
    }

    void writeU32(std::uint32_t value) {
        const unsigned char bytes[4] = {
            static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
        out_.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }

    void writeCount(std::size_t count) {
        if (count > std::numeric_limits<std::uint32_t>::max()) {
            throw ZarvexMeshExcep("Vector too long.");
        }
        writeU32(static_cast<std::uint32_t>(count));
    }

    void writeString(const std::string& text) {
        if (text.size() > kMaxMeshStringLength) {
            throw ZarvexMeshExcep("String too long.");
        }
        writeU32(static_cast<std::uint32_t>(text.size()));
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    }

    void writeStrings(const std::vector<std::string>& strings) {
        writeCount(strings.size());
        for (const std::string& text : strings) {
            writeString(text);
        }
    }

    void writeUVSetNames(const std::vector<std::pair<std::string, std::uint32_t>>& names) {
        writeCount(names.size());
        for (const auto& entry : names) {
            writeString(entry.first);
            writeU32(entry.second);
        }
    }

    void writeVec3s(const std::vector<ZarvexVec3>& list) {
        writeCount(list.size());
        if (kFileLayoutInMemory) {
            writePacked(list);
            return;
        }
        for (const ZarvexVec3& v : list) {
            writeU32(floatBits(v.x));
            writeU32(floatBits(v.y));
            writeU32(floatBits(v.z));
        }
    }

    void writeUVPairs(const std::vector<ZarvexUVPair>& list) {
        writeCount(list.size());
        if (kFileLayoutInMemory) {
            writePacked(list);
            return;
        }
        for (const ZarvexUVPair& uv : list) {
            writeU32(floatBits(uv.u));
            writeU32(floatBits(uv.v));
        }
    }

    void writeTriangles(const std::vector<ZarvexTriangle>& list) {
        writeCount(list.size());
        if (kFileLayoutInMemory) {
            writePacked(list);
            return;
        }
        for (const ZarvexTriangle& t : list) {
            for (std::uint32_t index : t.vertex_indices) {
                writeU32(index);
            }
            for (std::uint32_t index : t.uv_indices) {
                writeU32(index);
            }
            writeU32(t.tri_mat_index);
        }
    }

    // Flushes and closes; a failure anywhere on the way, also in buffered data that only
    // reaches the disk now, is reported.
    void finish() {
        out_.flush();
        if (!out_) {
            throw ZarvexMeshExcep("Error while writing to '" + path_ + "'.");
        }
        out_.close();
        if (!out_) {
            throw ZarvexMeshExcep("Error while writing to '" + path_ + "'.");
        }
    }

private:
    template <typename T> void writePacked(const std::vector<T>& list) {
        out_.write(reinterpret_cast<const char*>(list.data()),
                   static_cast<std::streamsize>(list.size() * sizeof(T)));
    }

    const std::string& path_;
    std::unique_ptr<char[]> buffer_;
    std::ofstream out_;
};

class MeshFileReader {
public:
    explicit MeshFileReader(const std::string& path)
        : path_(path), buffer_(new char[kStreamBufferSize]) {
        in_.rdbuf()->pubsetbuf(buffer_.get(), kStreamBufferSize);
        in_.open(path, std::ios::binary | std::ios::in);
        if (!in_.is_open()) {
            throw ZarvexMeshExcep("Failed to open file '" + path + "' for reading.");
        }
        in_.seekg(0, std::ios::end);
        const std::streamoff size = in_.tellg();
        in_.seekg(0, std::ios::beg);
        if (!in_ || size < 0) {
            failRead();
        }
        remaining_ = static_cast<std::uint64_t>(size);
    }

    std::uint32_t readU32() {
        unsigned char bytes[4];
        readBytes(bytes, sizeof bytes);
        return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
               std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
    }

    // A stored count, after checking that the rest of the file can hold that many entries of
    // at least `entryBytes` each, so that a lying count never causes a huge allocation.
    std::size_t readCount(std::uint64_t entryBytes) {
        const std::uint64_t count = readU32();
        if (count * entryBytes > remaining_) {
            failRead();
        }
        return static_cast<std::size_t>(count);
    }

    void readString(std::string& text) {
        const std::uint32_t length = readU32();
        if (length > kMaxMeshStringLength) {
            throw ZarvexMeshExcep("String too long.");
        }
        if (length > remaining_) {
            failRead();
        }
        text.resize(length);
        readBytes(&text[0], length);
    }

    void readStrings(std::vector<std::string>& strings) {
        strings.resize(readCount(kStringEntryMinBytes));
        for (std::string& text : strings) {
            readString(text);
        }
    }

    void readUVSetNames(std::vector<std::pair<std::string, std::uint32_t>>& names) {
        names.resize(readCount(kUVSetEntryMinBytes));
        for (auto& entry : names) {
            readString(entry.first);
            entry.second = readU32();
        }
    }

    void readVec3s(std::vector<ZarvexVec3>& list) {
        list.resize(readCount(kVec3Bytes));
        if (kFileLayoutInMemory) {
            readPacked(list);
            return;
        }
        for (ZarvexVec3& v : list) {
            v.x = floatFromBits(readU32());
            v.y = floatFromBits(readU32());
            v.z = floatFromBits(readU32());
        }
    }

    void readUVPairs(std::vector<ZarvexUVPair>& list) {
        list.resize(readCount(kUVPairBytes));
        if (kFileLayoutInMemory) {
            readPacked(list);
            return;
        }
        for (ZarvexUVPair& uv : list) {
            uv.u = floatFromBits(readU32());
            uv.v = floatFromBits(readU32());
        }
    }

    void readTriangles(std::vector<ZarvexTriangle>& list) {
        list.resize(readCount(kTriangleBytes));
        if (kFileLayoutInMemory) {
            readPacked(list);
            return;
        }
        for (ZarvexTriangle& t : list) {
            for (std::uint32_t& index : t.vertex_indices) {
                index = readU32();
            }
            for (std::uint32_t& index : t.uv_indices) {
                index = readU32();
            }
            t.tri_mat_index = readU32();
        }
    }

private:
    [[noreturn]] void failRead() const {
        throw ZarvexMeshExcep("Error while reading from '" + path_ + "'.");
    }

    void readBytes(void* target, std::uint64_t count) {
        if (count > remaining_) {
            failRead();
        }
        in_.read(static_cast<char*>(target), static_cast<std::streamsize>(count));
        if (!in_) {
            failRead();
        }
        remaining_ -= count;
    }

    template <typename T> void readPacked(std::vector<T>& list) {
        readBytes(list.data(), std::uint64_t{list.size()} * sizeof(T));
    }

    const std::string& path_;
    std::unique_ptr<char[]> buffer_;
    std::ifstream in_;
    std::uint64_t remaining_ = 0;
};

void readMeshContents(MeshFileReader& reader, ZarvexMesh& mesh) {
    if (reader.readU32() != kMagic) {
        throw ZarvexMeshExcep("Invalid magic number.");
    }
    if (reader.readU32() != kFormatVersion) {
        throw ZarvexMeshExcep("Invalid format version.");
    }
    mesh.num_uv_mappings = reader.readU32();
    reader.readStrings(mesh.used_materials);
    reader.readUVSetNames(mesh.uv_set_names);
    reader.readVec3s(mesh.verts);
    reader.readVec3s(mesh.normals);
    reader.readUVPairs(mesh.uv_pairs);
    reader.readTriangles(mesh.triangles);
}

} // namespace

void writeMeshFile(const std::string& path, const ZarvexMesh& mesh) {
    checkMesh(mesh);
    MeshFileWriter writer(path);
    writer.writeU32(kMagic);
    writer.writeU32(kFormatVersion);
    writer.writeU32(mesh.num_uv_mappings);
    writer.writeStrings(mesh.used_materials);
    writer.writeUVSetNames(mesh.uv_set_names);
    writer.writeVec3s(mesh.verts);
    writer.writeVec3s(mesh.normals);
    writer.writeUVPairs(mesh.uv_pairs);
    writer.writeTriangles(mesh.triangles);
    writer.finish();
}

void readMeshFile(const std::string& path, ZarvexMesh& mesh) {
    ZarvexMesh read;
    try {
        MeshFileReader reader(path);
        readMeshContents(reader, read);
    } catch (const std::bad_alloc&) {
        throw ZarvexMeshExcep("Bad allocation while reading from file.");
    }
    checkMesh(read);
    mesh = std::move(read);
}
