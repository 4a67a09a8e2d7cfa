// Compiles the chinese-poetry package into the corpus the program embeds (see corpus_format.h):
//   generate_poetry_corpus <package folder> <OpenCC t2s.json> <corpus> [<embedding .cpp>]
// Every title, author and line is converted to simplified characters first. The optional C++
// file defines embeddedPoetryCorpus() over the corpus file and names the corpus's hash, so a
// compiler cache sees a new source whenever the corpus changes.
#include "hanzi/ideograph.h"
#include "hanzi/utf8.h"
#include "poetry/corpus_format.h"
#include "poetry/poem_lines.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <opencc/opencc.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Poem {
    std::u32string title;
    std::u32string author;
    std::vector<std::u32string> lines;
};

struct CollectionSource {
    std::string folder;
    std::string prefix; // file names are <prefix><number>.json, or exactly <prefix> when fixed
    bool numbered;
    const char* titleKey; // none for a book whose name is the whole label
    const char* linesKey;
};

// In the order of `collections`. 大学 and 中庸 are one piece each, an object rather than a list.
const CollectionSource sources[] = {
    {"dist/shijing", "shijing.json", false, "title", "content"},
    {"dist/chuci", "chuci.json", false, "title", "content"},
    {"dist/lunyu", "lunyu.json", false, "chapter", "paragraphs"},
    {"dist/sishuwujing", "daxue.json", false, nullptr, "paragraphs"},
    {"dist/sishuwujing", "zhongyong.json", false, nullptr, "paragraphs"},
    {"dist/sishuwujing", "mengzi.json", false, "chapter", "paragraphs"},
    {"dist/quantangshi", "poet.tang.", true, "title", "paragraphs"},
    {"dist/songci", "ci.song.", true, "rhythmic", "paragraphs"},
    {"dist/yuanqu", "yuanqu.json", false, "title", "paragraphs"},
};
static_assert(std::size(sources) == collections.size());

// The files of one collection, numbered ones by ascending number.
std::vector<fs::path> collectionFiles(const fs::path& package, const CollectionSource& source)
{
    const fs::path folder = package / source.folder;
    if (!source.numbered) {
        if (!fs::is_regular_file(folder / source.prefix))
            throw std::runtime_error("missing " + (folder / source.prefix).string());
        return {folder / source.prefix};
    }
    std::map<unsigned long, fs::path> numbered;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(source.prefix) || !name.ends_with(".json"))
            continue;
        const std::string_view number(name.data() + source.prefix.size(),
                                      name.size() - source.prefix.size() - 5);
        unsigned long value = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (!number.empty() && error == std::errc() && end == number.data() + number.size())
            numbered.emplace(value, entry.path());
    }
    if (numbered.empty())
        throw std::runtime_error("no " + source.prefix + "N.json in " + folder.string());
    std::vector<fs::path> files;
    for (auto& [number, path] : numbered)
        files.push_back(std::move(path));
    return files;
}

std::string stringField(const nlohmann::json& poem, const char* key)
{
    if (!key)
        return {};
    const auto found = poem.find(key);
    return found != poem.end() && found->is_string() ? found->get<std::string>() : std::string();
}

std::vector<Poem> readCollection(const fs::path& package, const CollectionSource& source,
                                 const opencc::SimpleConverter& t2s)
{
    std::vector<Poem> poems;
    for (const fs::path& file : collectionFiles(package, source)) {
        std::ifstream in(file, std::ios::binary);
        nlohmann::json document = nlohmann::json::parse(in);
        if (document.is_object())
            document = nlohmann::json::array({std::move(document)});
        if (!document.is_array())
            throw std::runtime_error(file.string() + " holds no list of poems");
        for (const nlohmann::json& entry : document) {
            if (!entry.is_object())
                continue;
            Poem poem;
            poem.title = utf8::decodeAll(t2s.Convert(stringField(entry, source.titleKey)));
            poem.author = utf8::decodeAll(t2s.Convert(stringField(entry, "author")));
            const auto text = entry.find(source.linesKey);
            if (text != entry.end() && text->is_array()) {
                for (const nlohmann::json& element : *text) {
                    if (!element.is_string())
                        continue;
                    for (const std::string& line :
                         poemLines(t2s.Convert(element.get<std::string>())))
                        poem.lines.push_back(utf8::decodeAll(line));
                }
            }
            poems.push_back(std::move(poem));
        }
    }
    return poems;
}

class CorpusWriter final {
public:
    explicit CorpusWriter(const std::vector<std::vector<Poem>>& byCollection)
    {
        for (const auto& poems : byCollection) {
            for (const Poem& poem : poems) {
                addSymbols(poem.title);
                addSymbols(poem.author);
                for (const std::u32string& line : poem.lines)
                    addSymbols(line);
            }
        }
        std::ranges::sort(m_symbols);
        m_symbols.erase(std::unique(m_symbols.begin(), m_symbols.end()), m_symbols.end());
        if (m_symbols.size() > 0xFFFF)
            throw std::runtime_error("too many distinct characters for 16-bit symbols");
        std::vector<std::vector<std::uint32_t>> linesOf(m_symbols.size());

        m_header.symbolCount = static_cast<std::uint32_t>(m_symbols.size());
        m_lineBegin.push_back(0);
        m_poemTextBegin.push_back(0);
        for (std::size_t c = 0; c < byCollection.size(); ++c) {
            m_header.collectionFirstPoem[c] = static_cast<std::uint32_t>(m_poemFirstLine.size());
            for (const Poem& poem : byCollection[c]) {
                m_poemFirstLine.push_back(static_cast<std::uint32_t>(m_lineBegin.size() - 1));
                appendSymbols(m_poemText, poem.title);
                m_poemTextBegin.push_back(static_cast<std::uint32_t>(m_poemText.size()));
                appendSymbols(m_poemText, poem.author);
                m_poemTextBegin.push_back(static_cast<std::uint32_t>(m_poemText.size()));
                for (const std::u32string& line : poem.lines) {
                    const auto lineIndex = static_cast<std::uint32_t>(m_lineBegin.size() - 1);
                    const std::size_t begin = m_lineText.size();
                    appendSymbols(m_lineText, line);
                    std::vector<std::uint16_t> held(m_lineText.begin() + begin, m_lineText.end());
                    std::ranges::sort(held);
                    held.erase(std::unique(held.begin(), held.end()), held.end());
                    for (const std::uint16_t symbol : held)
                        linesOf[symbol].push_back(lineIndex);
                    m_lineBegin.push_back(static_cast<std::uint32_t>(m_lineText.size()));
                }
            }
        }
        m_header.collectionFirstPoem[byCollection.size()] =
            static_cast<std::uint32_t>(m_poemFirstLine.size());
        m_header.poemCount = static_cast<std::uint32_t>(m_poemFirstLine.size());
        m_header.lineCount = static_cast<std::uint32_t>(m_lineBegin.size() - 1);
        m_poemFirstLine.push_back(m_header.lineCount);
        m_header.lineTextLength = static_cast<std::uint32_t>(m_lineText.size());
        m_header.poemTextLength = static_cast<std::uint32_t>(m_poemText.size());

        m_postingBegin.push_back(0);
        for (const auto& lines : linesOf) {
            std::uint32_t next = 0;
            for (const std::uint32_t line : lines) {
                appendGap(line - next);
                next = line + 1;
            }
            m_postingBegin.push_back(static_cast<std::uint32_t>(m_postings.size()));
        }
        m_header.postingBytes = static_cast<std::uint32_t>(m_postings.size());
        addCommonPairs(linesOf);
    }

    void write(std::ostream& out) const
    {
        writeRaw(out, &m_header, sizeof m_header);
        writeArray(out, m_symbols);
        writeArray(out, m_lineBegin);
        writeArray(out, m_poemFirstLine);
        writeArray(out, m_poemTextBegin);
        writeArray(out, m_postingBegin);
        writeArray(out, m_lineText);
        writeArray(out, m_poemText);
        writeArray(out, m_postings);
        writeArray(out, m_pairs);
        writeArray(out, m_pairBegin);
        writeArray(out, m_pairSources);
    }

private:
    // The common pairs of corpus_format.h and their sources.
    void addCommonPairs(const std::vector<std::vector<std::uint32_t>>& linesOf)
    {
        const std::uint32_t sharedLines = std::max<std::uint32_t>(2, m_header.lineCount / 2048);
        // Only Han characters held in that many lines can be in a common pair.
        constexpr std::int32_t none = -1;
        std::vector<std::int32_t> frequentOf(m_symbols.size(), none);
        std::vector<std::uint16_t> frequent;
        for (std::size_t s = 0; s < m_symbols.size(); ++s) {
            if (linesOf[s].size() >= sharedLines && isIdeograph(m_symbols[s])) {
                frequentOf[s] = static_cast<std::int32_t>(frequent.size());
                frequent.push_back(static_cast<std::uint16_t>(s));
            }
        }
        const std::size_t n = frequent.size();
        std::vector<std::uint32_t> shared(n * n);
        std::vector<std::int32_t> held;
        for (std::uint32_t line = 0; line < m_header.lineCount; ++line) {
            held.clear();
            for (std::uint32_t at = m_lineBegin[line]; at < m_lineBegin[line + 1]; ++at) {
                if (frequentOf[m_lineText[at]] != none)
                    held.push_back(frequentOf[m_lineText[at]]);
            }
            std::ranges::sort(held);
            held.erase(std::unique(held.begin(), held.end()), held.end());
            for (const std::int32_t first : held) {
                for (const std::int32_t second : held)
                    ++shared[static_cast<std::size_t>(first) * n +
                             static_cast<std::size_t>(second)];
            }
        }
        // Pair indexes in key order: frequent symbols ascend.
        std::vector<std::int32_t> pairOf(n * n, none);
        for (std::size_t pair = 0; pair < n * n; ++pair) {
            if (shared[pair] >= sharedLines) {
                pairOf[pair] = static_cast<std::int32_t>(m_pairs.size());
                m_pairs.push_back(std::uint32_t{frequent[pair / n]} << 16 | frequent[pair % n]);
            }
        }
        constexpr std::size_t collections = corpus_format::collectionCount;
        constexpr std::uint32_t noLine = UINT32_MAX;
        std::vector<std::uint32_t> firstAdjacent(m_pairs.size() * collections, noLine);
        std::vector<std::uint32_t> firstInClause(m_pairs.size() * collections, noLine);
        std::size_t collection = 0;
        for (std::uint32_t line = 0; line < m_header.lineCount; ++line) {
            while (line >= m_poemFirstLine[m_header.collectionFirstPoem[collection + 1]])
                ++collection;
            const std::uint32_t end = m_lineBegin[line + 1];
            for (std::uint32_t at = m_lineBegin[line]; at < end; ++at) {
                const std::int32_t first = frequentOf[m_lineText[at]];
                if (first == none)
                    continue;
                const std::int32_t* const pairsOfFirst =
                    pairOf.data() + static_cast<std::size_t>(first) * n;
                for (std::uint32_t later = at + 1;
                     later < end && isIdeograph(m_symbols[m_lineText[later]]); ++later) {
                    const std::int32_t second = frequentOf[m_lineText[later]];
                    if (second == none || pairsOfFirst[second] == none)
                        continue;
                    std::vector<std::uint32_t>& firsts =
                        later == at + 1 ? firstAdjacent : firstInClause;
                    std::uint32_t& slot =
                        firsts[static_cast<std::size_t>(pairsOfFirst[second]) * collections +
                               collection];
                    slot = std::min(slot, line);
                }
            }
        }
        m_pairBegin.push_back(0);
        for (std::size_t pair = 0; pair < m_pairs.size(); ++pair) {
            for (std::size_t c = 0; c < collections; ++c) {
                const std::size_t slot = pair * collections + c;
                if (firstAdjacent[slot] != noLine)
                    m_pairSources.push_back(firstAdjacent[slot] | corpus_format::adjacentPair);
                else if (firstInClause[slot] != noLine)
                    m_pairSources.push_back(firstInClause[slot]);
            }
            m_pairBegin.push_back(static_cast<std::uint32_t>(m_pairSources.size()));
        }
        m_header.pairCount = static_cast<std::uint32_t>(m_pairs.size());
        m_header.pairSourceCount = static_cast<std::uint32_t>(m_pairSources.size());
    }

    void addSymbols(const std::u32string& text)
    {
        m_symbols.insert(m_symbols.end(), text.begin(), text.end());
    }

    void appendSymbols(std::vector<std::uint16_t>& out, const std::u32string& text) const
    {
        for (const char32_t c : text) {
            const auto found = std::ranges::lower_bound(m_symbols, c);
            out.push_back(static_cast<std::uint16_t>(found - m_symbols.begin()));
        }
    }

    void appendGap(std::uint32_t gap)
    {
        while (gap >= 0x80) {
            m_postings.push_back(static_cast<std::uint8_t>(gap | 0x80));
            gap >>= 7;
        }
        m_postings.push_back(static_cast<std::uint8_t>(gap));
    }

    static void writeRaw(std::ostream& out, const void* data, std::size_t size)
    {
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        static constexpr char padding[4] = {};
        out.write(padding, static_cast<std::streamsize>((4 - size % 4) % 4));
    }

    template <typename T>
    static void writeArray(std::ostream& out, const std::vector<T>& values)
    {
        writeRaw(out, values.data(), values.size() * sizeof(T));
    }

    corpus_format::Header m_header;
    std::vector<char32_t> m_symbols;
    std::vector<std::uint32_t> m_lineBegin;
    std::vector<std::uint32_t> m_poemFirstLine;
    std::vector<std::uint32_t> m_poemTextBegin;
    std::vector<std::uint32_t> m_postingBegin;
    std::vector<std::uint16_t> m_lineText;
    std::vector<std::uint16_t> m_poemText;
    std::vector<std::uint8_t> m_postings;
    std::vector<std::uint32_t> m_pairs;
    std::vector<std::uint32_t> m_pairBegin;
    std::vector<std::uint32_t> m_pairSources;
};

// Writes `path`, a C++ file that embeds `corpus` with the assembler's .incbin.
void writeEmbedding(const fs::path& corpus, const fs::path& path)
{
    std::ifstream in(corpus, std::ios::binary);
    std::uint64_t hash = 0xcbf29ce484222325; // FNV-1a
    for (char c; in.get(c);)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "// Generated by generate_poetry_corpus: embeds " << corpus.string() << ",\n"
        << "// " << fs::file_size(corpus) << " bytes, FNV-1a " << std::hex << hash << std::dec
        << ".\n#include \"poetry/embedded_corpus.h\"\n\n"
        << "__asm__(\".section .rodata\\n.balign 16\\n.globl corvale_poetry_corpus\\n"
        << ".hidden corvale_poetry_corpus\\ncorvale_poetry_corpus:\\n.incbin \\\""
        << corpus.string()
        << "\\\"\\n.globl corvale_poetry_corpus_end\\n.hidden corvale_poetry_corpus_end\\n"
        << "corvale_poetry_corpus_end:\\n.previous\");\n\n"
        << "extern \"C\" const std::byte corvale_poetry_corpus[];\n"
        << "extern \"C\" const std::byte corvale_poetry_corpus_end[];\n\n"
        << "std::span<const std::byte> embeddedPoetryCorpus()\n{\n"
        << "    return {corvale_poetry_corpus, corvale_poetry_corpus_end};\n}\n";
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

int main(int argc, char** argv)
{
    static_assert(std::endian::native == std::endian::little);
    if (argc != 4 && argc != 5) {
        std::cerr << "usage: generate_poetry_corpus <package folder> <t2s.json> <corpus> "
                     "[<embedding .cpp>]\n";
        return 2;
    }
    try {
        const fs::path package = argv[1];
        const opencc::SimpleConverter t2s(argv[2]);
        std::vector<std::vector<Poem>> poems;
        for (const CollectionSource& source : sources)
            poems.push_back(readCollection(package, source, t2s));
        const CorpusWriter writer(poems);
        const std::string temporary = std::string(argv[3]) + ".part";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            writer.write(out);
            out.flush();
            if (!out)
                throw std::runtime_error("cannot write " + temporary);
        }
        fs::rename(temporary, argv[3]);
        if (argc == 5)
            writeEmbedding(fs::absolute(argv[3]), argv[4]);
    } catch (const std::exception& error) {
        std::cerr << "generate_poetry_corpus: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
