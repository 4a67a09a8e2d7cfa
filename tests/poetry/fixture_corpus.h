#pragma once

#include "poetry/poetry_corpus.h"
#include "tests/poetry/collection_bits.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

// The corpus the generator made of tests/poetry/fixture at build time.
inline const PoetryCorpus& fixtureCorpus()
{
    static const std::vector<std::byte> bytes = [] {
        std::ifstream in(FIXTURE_CORPUS, std::ios::binary);
        const std::vector<char> chars{std::istreambuf_iterator<char>(in), {}};
        std::vector<std::byte> out(chars.size());
        std::memcpy(out.data(), chars.data(), chars.size());
        return out;
    }();
    static const PoetryCorpus corpus(bytes);
    return corpus;
}
