#include "core/reading/line_marks.h"

#include <bit>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace orbelquint {
namespace {

// The text is looked at a step at a time, one bit per byte in each 64-bit mask.
constexpr std::size_t kChunk = kMarkStep;
static_assert(kChunk == 64);

struct ChunkMasks {
    std::uint64_t carriageReturns;
    std::uint64_t lineFeeds;
    std::uint64_t tags;
};

// Eight bytes at a time in a 64-bit word, which every processor has (the WebAssembly of the web
// page, arm64): words are read with their first byte lowest.
static_assert(std::endian::native == std::endian::little);
constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7F;

constexpr std::uint64_t EveryByte(char byte) {
    return 0x0101010101010101 * static_cast<unsigned char>(byte);
}

// One bit per byte of `word` that equals the byte repeated in `pattern`, the first byte lowest.
// The sum of the low seven bits of each byte and 0x7F never carries into the next byte, so that a
// byte's high bit there is set exactly when the byte is not zero; the multiplication gathers the
// eight high bits into the top byte.
std::uint64_t EqualBytes(std::uint64_t word, std::uint64_t pattern) {
    const std::uint64_t differ = word ^ pattern;
    const std::uint64_t zero = ~(((differ & kLowSevenBits) + kLowSevenBits) | differ) & ~kLowSevenBits;
    return ((zero >> 7) * 0x0102040810204080) >> 56;
}

ChunkMasks PlainMasks(const char* chunk) {
    ChunkMasks masks{0, 0, 0};
    for (std::size_t i = 0; i < kChunk / 8; ++i) {
        std::uint64_t word = 0;
        std::memcpy(&word, chunk + i * 8, sizeof word);
        masks.carriageReturns |= EqualBytes(word, EveryByte('\r')) << (i * 8);
        masks.lineFeeds |= EqualBytes(word, EveryByte('\n')) << (i * 8);
        masks.tags |= EqualBytes(word, EveryByte('<')) << (i * 8);
    }
    return masks;
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] std::uint64_t Avx2Mask(__m256i low, __m256i high, char byte) {
    const __m256i wanted = _mm256_set1_epi8(byte);
    const auto lowBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, wanted)));
    const auto highBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, wanted)));
    return std::uint64_t{highBits} << 32 | lowBits;
}

[[gnu::target("avx2")]] ChunkMasks Avx2Masks(const char* chunk) {
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(chunk));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(chunk + 32));
    return {Avx2Mask(low, high, '\r'), Avx2Mask(low, high, '\n'), Avx2Mask(low, high, '<')};
}
#endif

// The position of the lowest set bit. The top bit stands in for an empty mask, whose position is
// never read: a mask that cannot be empty keeps the compiler from branching on it.
std::uint32_t LowestBit(std::uint64_t mask) {
    return static_cast<std::uint32_t>(std::countr_zero(mask | std::uint64_t{1} << 63));
}

// Writes the positions of the set bits of `mask`, counted from `base`, and returns how many there
// are. The first four are written whether the mask holds as many or not, so that the usual chunk,
// with a line end or two, takes no branch that depends on the text.
std::size_t WritePositions(std::uint64_t mask, std::uint32_t base, std::uint32_t* out) {
    const auto count = static_cast<std::size_t>(std::popcount(mask));
    for (std::size_t i = 0; i < 4; ++i) {
        out[i] = base + LowestBit(mask);
        mask &= mask - 1;
    }
    for (std::size_t i = 4; i < count; ++i) {
        out[i] = base + LowestBit(mask);
        mask &= mask - 1;
    }
    return count;
}

struct Marking {
    std::uint32_t* marks;
    std::size_t count;
    // Whether the byte before the chunk is a CR, as the lowest bit.
    std::uint64_t carriageReturnBefore;

    void Take(const ChunkMasks& masks, std::uint32_t base) {
        const std::uint64_t lineFeedsAfterCarriageReturn = masks.carriageReturns << 1 | carriageReturnBefore;
        const std::uint64_t ends = masks.carriageReturns | (masks.lineFeeds & ~lineFeedsAfterCarriageReturn);
        carriageReturnBefore = masks.carriageReturns >> 63;
        count += WritePositions(ends | masks.tags, base, marks + count);
    }
};

// The scan over whole chunks, then over the last bytes padded with zeros (which are neither line
// ends nor tags). Each scanner inlines it with its own way of making the masks.
template <ChunkMasks (*MasksOf)(const char*)>
std::size_t Scan(std::string_view piece, bool afterCarriageReturn, std::uint32_t* marks) {
    Marking marking{marks, 0, afterCarriageReturn ? 1U : 0U};
    std::size_t at = 0;
    for (; piece.size() - at >= kChunk; at += kChunk)
        marking.Take(MasksOf(piece.data() + at), static_cast<std::uint32_t>(at));
    if (at < piece.size()) {
        char last[kChunk] = {};
        std::memcpy(last, piece.data() + at, piece.size() - at);
        marking.Take(MasksOf(last), static_cast<std::uint32_t>(at));
    }
    return marking.count;
}

[[gnu::flatten]] std::size_t ScanPlain(std::string_view piece, bool afterCarriageReturn,
                                       std::uint32_t* marks) {
    return Scan<PlainMasks>(piece, afterCarriageReturn, marks);
}

#if defined(__x86_64__)
// Flattened, so that the mask making and the bit counting are compiled for the same instructions.
[[gnu::target("avx2,bmi,popcnt"), gnu::flatten]] std::size_t ScanAvx2(std::string_view piece,
                                                                      bool afterCarriageReturn,
                                                                      std::uint32_t* marks) {
    return Scan<Avx2Masks>(piece, afterCarriageReturn, marks);
}
#endif

}  // namespace

bool CanRun(MarkScanner scanner) {
#if defined(__x86_64__)
    __builtin_cpu_init();  // the answers below may be asked for before the program's start is done
    const bool bitCounting = __builtin_cpu_supports("bmi") && __builtin_cpu_supports("popcnt");
    switch (scanner) {
        case MarkScanner::Plain:
            return true;
        case MarkScanner::Avx2:
            return bitCounting && __builtin_cpu_supports("avx2");
    }
    return false;
#else
    return scanner == MarkScanner::Plain;
#endif
}

MarkScanner FastestMarkScanner() {
    static const MarkScanner fastest = CanRun(MarkScanner::Avx2) ? MarkScanner::Avx2 : MarkScanner::Plain;
    return fastest;
}

std::size_t FindLineMarks(MarkScanner scanner, std::string_view piece, bool afterCarriageReturn,
                          std::uint32_t* marks) {
    switch (scanner) {
#if defined(__x86_64__)
        case MarkScanner::Avx2:
            return ScanAvx2(piece, afterCarriageReturn, marks);
#endif
        default:
            return ScanPlain(piece, afterCarriageReturn, marks);
    }
}

}  // namespace orbelquint
