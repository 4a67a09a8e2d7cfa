// name.xml with arbitrary bytes: load must never crash, and whatever it reads must survive being
// saved and loaded again, changed only where the file format changes text.

#include "fuzz/fuzz_check.h"
#include "settings/settings_file.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr auto kFileName = "name.xml";

// A directory with config/ inside, made once per process under $TMPDIR and removed at exit.
class ScratchDirectory {
public:
    ScratchDirectory()
    {
        std::string pattern = (fs::temp_directory_path() / "corvale-settings-XXXXXX").string();
        FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
        m_path = pattern;
        fs::create_directory(m_path / "config");
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const fs::path& path() const { return m_path; }
    fs::path nameXml() const { return m_path / "config" / kFileName; }

private:
    fs::path m_path;
};

const ScratchDirectory& Scratch()
{
    static const ScratchDirectory scratch;
    return scratch;
}

void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    FUZZ_CHECK(in.good());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// TinyXML's white space: the C library's, plus CR and LF.
bool IsXmlWhiteSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) || c == '\n' || c == '\r';
}

// What one save and load do to a text. The printer writes every byte below 0x20 as a character
// reference, so the only raw white space in the file is ' '; the parser drops it at both ends,
// merges runs of it into one, and keeps no text that is white space only, references included.
// A missing text is written empty and so stays missing.
std::optional<std::string> AfterSaveAndLoad(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    std::string condensed;
    bool space = false;
    for (const char c : *text) {
        if (c == ' ') {
            space = !condensed.empty();
            continue;
        }
        if (space)
            condensed += ' ';
        space = false;
        condensed += c;
    }
    for (const char c : condensed) {
        if (!IsXmlWhiteSpace(c))
            return condensed;
    }
    return std::nullopt;
}

bool SameSettings(const NamingSettings& a, const NamingSettings& b)
{
    return a.surname == b.surname && a.candidates == b.candidates &&
           a.threeCharacter == b.threeCharacter;
}

std::vector<std::string_view> CrLfLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t end = text.find("\r\n"); end != std::string_view::npos;
         end = text.find("\r\n")) {
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 2);
    }
    FUZZ_CHECK(text.empty());
    return lines;
}

bool IsElementLine(std::string_view line, std::string_view indent, std::string_view name)
{
    const std::string start = std::string(indent) + "<" + std::string(name) + ">";
    const std::string end = "</" + std::string(name) + ">";
    return line.size() >= start.size() + end.size() && line.starts_with(start) &&
           line.ends_with(end);
}

// The saved file: the root, the record and its three fields, seven lines with CR LF ends and no
// other line break anywhere.
void CheckSavedFile(std::string_view file, bool threeCharacter)
{
    const std::vector<std::string_view> lines = CrLfLines(file);
    FUZZ_CHECK(lines.size() == 7);
    for (const std::string_view line : lines)
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
    FUZZ_CHECK(lines[0] == "<Names>");
    FUZZ_CHECK(lines[1] == "    <Name ID=\"1\">");
    FUZZ_CHECK(IsElementLine(lines[2], "        ", "firstname"));
    FUZZ_CHECK(IsElementLine(lines[3], "        ", "secondname"));
    FUZZ_CHECK(lines[4] == (threeCharacter ? "        <radio_three>1</radio_three>"
                                           : "        <radio_three>0</radio_three>"));
    FUZZ_CHECK(lines[5] == "    </Name>");
    FUZZ_CHECK(lines[6] == "</Names>");
}

// Saves, checks the file written, and loads it back, which must succeed.
NamingSettings SaveAndLoad(const SettingsFile& file, const NamingSettings& settings)
{
    file.save(settings, kFileName);
    CheckSavedFile(ReadBytes(Scratch().nameXml()), settings.threeCharacter.value_or(false));
    const std::optional<NamingSettings> loaded = file.load(kFileName);
    FUZZ_CHECK(loaded.has_value());
    return *loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ScratchDirectory& scratch = Scratch();
    const SettingsFile file(scratch.path().string());
    WriteBytes(scratch.nameXml(), std::string_view(reinterpret_cast<const char*>(data), size));

    const std::optional<NamingSettings> first = file.load(kFileName);
    if (!first)
        return 0;

    const NamingSettings second = SaveAndLoad(file, *first);
    const NamingSettings expected{AfterSaveAndLoad(first->surname),
                                  AfterSaveAndLoad(first->candidates),
                                  first->threeCharacter.value_or(false)};
    FUZZ_CHECK(SameSettings(second, expected));
    // Once saved, the settings are a fixed point.
    FUZZ_CHECK(SameSettings(SaveAndLoad(file, second), second));
    return 0;
}
