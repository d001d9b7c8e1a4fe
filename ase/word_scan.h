// Where a word stops: the token reader's inner loops, sixteen bytes at a time where the processor
// allows, with the byte-at-a-time loops kept as the reference and the fallback.
#pragma once

#include <bit>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace meshwright {

// How many readable bytes must follow the zero that ends the text: the vector scan loads whole
// sixteen-byte groups and may read past that zero (what it finds there is ignored).
inline constexpr size_t kWordScanPadding = 16;

// The first byte at or after `text` that equals one of kBytes, which must include the NUL, and
// a NUL must come at or after `text`, followed by kWordScanPadding readable bytes. One byte at a
// time: the reference, and the fallback.
template <char... kBytes>
const char* findFirstOfScalar(const char* text) {
    for (;; ++text) {
        const char c = *text;
        if (((c == kBytes) || ...)) {
            return text;
        }
    }
}

// The same answer as findFirstOfScalar, found sixteen bytes at a time with SSE2 (always there on
// x86-64); other processors take the scalar loop.
template <char... kBytes>
const char* findFirstOf(const char* text) {
#if defined(__SSE2__)
    for (;; text += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
        __m128i found = _mm_setzero_si128();
        ((found = _mm_or_si128(found, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kBytes)))), ...);
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(found));
        if (mask != 0) {
            return text + std::countr_zero(mask);
        }
    }
#else
    return findFirstOfScalar<kBytes...>(text);
#endif
}

// Where a word stops: the first space, tab, LF, CR or NUL at or after `text` (see findFirstOf).
inline const char* findWordStopScalar(const char* text) {
    return findFirstOfScalar<' ', '\t', '\n', '\r', '\0'>(text);
}
inline const char* findWordStop(const char* text) {
    return findFirstOf<' ', '\t', '\n', '\r', '\0'>(text);
}

// The first '*', where a keyword may start, or byte that a reader passing over plain words must
// look at (a brace, CR or NUL) at or after `text` (see findFirstOf).
inline const char* findStarOrBreakScalar(const char* text) {
    return findFirstOfScalar<'*', '{', '}', '\r', '\0'>(text);
}
inline const char* findStarOrBreak(const char* text) {
    return findFirstOf<'*', '{', '}', '\r', '\0'>(text);
}

// The first byte at or after `text` that is not a space, tab or LF. A byte of another value (the
// NUL that ends the text will do) must come at or after `text`, followed by kWordScanPadding
// readable bytes.
inline const char* findNonBlankScalar(const char* text) {
    while (*text == ' ' || *text == '\t' || *text == '\n') {
        ++text;
    }
    return text;
}

// The same answer as findNonBlankScalar. Most words are parted by one blank, which the first test
// settles; the runs of blanks that pad columns are crossed sixteen bytes at a time.
inline const char* findNonBlank(const char* text) {
#if defined(__SSE2__)
    if (text[0] != ' ' && text[0] != '\t' && text[0] != '\n') {
        return text;
    }
    if (text[1] != ' ' && text[1] != '\t' && text[1] != '\n') {
        return text + 1;
    }
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    for (text += 2;; text += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
        const __m128i blanks =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, space), _mm_cmpeq_epi8(bytes, tab)),
                         _mm_cmpeq_epi8(bytes, lineFeed));
        const unsigned others = ~static_cast<unsigned>(_mm_movemask_epi8(blanks)) & 0xFFFFu;
        if (others != 0) {
            return text + std::countr_zero(others);
        }
    }
#else
    return findNonBlankScalar(text);
#endif
}

}  // namespace meshwright
