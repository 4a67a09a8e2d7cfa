#include "poetry/embedded_corpus.h"

const PoetryCorpus& embeddedCorpus()
{
    static const PoetryCorpus corpus(embeddedPoetryCorpus());
    return corpus;
}
