// Native documents: any bytes must either read into a scene that keeps the
// invariants or be refused with DocumentError, the same whether they are read
// from memory or from a file handing them out in pieces.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "scene/archive.h"
#include "scene_fuzz_check.h"

namespace {

// Pieces of uneven sizes, as short reads of a file give them.
class UnevenSource : public ArchiveSource {
public:
    explicit UnevenSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Read(unsigned char* out, std::size_t size) override {
        next_ = next_ * 1103515245u + 12345u;
        const std::size_t piece = 1 + (next_ >> 16) % 70000;
        const std::size_t n = std::min({size, piece, bytes_.size() - at_});
        std::memcpy(out, bytes_.data() + at_, n);
        at_ += n;
        return n;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    std::uint32_t next_ = 1;
};

// The document bytes of what was read, or nothing for a refusal.
std::optional<std::vector<unsigned char>> ReadBack(ArchiveReader& reader) {
    CCentigrade scene;
    try {
        scene.Serialize(reader);
    } catch (const DocumentError&) {
        return std::nullopt;
    }
    CheckSceneInvariants(scene);
    ArchiveWriter writer;
    scene.Serialize(writer);
    return writer.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    ArchiveReader fromMemory(bytes);
    UnevenSource source(bytes);
    ArchiveReader fromSource(source, size);
    if (ReadBack(fromMemory) != ReadBack(fromSource)) {
        std::abort();
    }
    return 0;
}
