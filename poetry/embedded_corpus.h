#pragma once

#include "poetry/poetry_corpus.h"

#include <cstddef>
#include <span>

// The compiled poetry corpus built into the program (its bytes are generated at build time).
std::span<const std::byte> embeddedPoetryCorpus();

// The corpus built into the program, read on the first call; thread-safe.
const PoetryCorpus& embeddedCorpus();
