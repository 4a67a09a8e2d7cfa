#!/usr/bin/env bash
# Writes the seed files of fuzz/corpus/. The files are committed; run this again only after
# changing it. GBK bytes: 王 CD F5, 美 C3 C0, 丽 C0 F6, 北 B1 B1, 氨 B0 B1, 卑 B1 B0, 懊 B0 C3,
# ， A3 AC, 。 A1 A3.
set -euo pipefail
mkdir -p "$(dirname "$0")/corpus"
cd "$(dirname "$0")/corpus"

# seed <directory> <file> <printf format>: the bytes the format prints.
seed() {
    mkdir -p "$1"
    # shellcheck disable=SC2059
    printf "$3" >"$1/$2"
}

# ---- name.xml, for the settings load and the nesting bound ----

xml_seed() {
    seed fuzz_settings_load "$1" "$2"
    seed fuzz_xml_nesting "$1" "$2"
}

# record <first> <second> <third>: the file save writes, as a printf format.
record() {
    printf '%s' "<Names>\r\n    <Name ID=\"1\">\r\n        <firstname>$1</firstname>\r\n"
    printf '%s' "        <secondname>$2</secondname>\r\n        <radio_three>$3</radio_three>\r\n"
    printf '%s' "    </Name>\r\n</Names>\r\n"
}

# nested <levels> <inner>: <a> elements that many levels deep around the inner text.
nested() {
    local open close
    open=$(printf '<a>%.0s' $(seq "$1"))
    close=$(printf '</a>%.0s' $(seq "$1"))
    printf '%s' "$open$2$close"
}

saved=$(record '\xCD\xF5' '\xC3\xC0\xC0\xF6' 1)
xml_seed saved.xml "$saved"
xml_seed empty_texts.xml "$(record '' '' 0)"
xml_seed two_character.xml "$(record '\xCD\xF5' '\xC3\xC0 \xC0\xF6' 0)"
xml_seed declaration.xml "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n$saved"
xml_seed declaration_utf8.xml \
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Names><Name><f>&#x738B;</f><s>\xE7\x8E\x8B</s><r>1</r></Name></Names>"
xml_seed utf8_bom.xml "\xEF\xBB\xBF$saved"
xml_seed comments.xml \
    "<!-- by hand -->\r\n<Names><!-- c --><Name>\r\n<firstname>\xCD\xF5</firstname><!-- c -->\r\n<secondname>\xC3\xC0</secondname><radio_three>1</radio_three></Name></Names>\r\n"
xml_seed renamed_elements.xml \
    "<A><B k=\"v\"><c>\xCD\xF5</c><d x='1'>\xC3\xC0\xC0\xF6</d><e>1</e></B></A>"
xml_seed entities.xml "$(record '&amp;&lt;&gt;&quot;&apos;&#x41;' '&#66;&amp;#x41;' ' -1 ')"
xml_seed control_references.xml "$(record 'a&#x09;&#x0D;&#x0A;&#x01;' '&#x20;&#x20;' 4294967296)"
xml_seed spaces.xml "$(record '  \xCD\xF5  ' '\xC3\xC0   \xC0\xF6 ' x)"
xml_seed cdata.xml "$(record '<![CDATA[ a\r\nb\rc ]]>' '<![CDATA[]]>' 1)"
xml_seed first_child_kinds.xml "$(record '<!--note-->F' '<b>S</b>' '<?pi?>1')"
xml_seed missing_fields.xml "<Names><Name><firstname>F</firstname></Name></Names>"
head -c 60 fuzz_settings_load/saved.xml >fuzz_settings_load/truncated.xml
cp fuzz_settings_load/truncated.xml fuzz_xml_nesting/truncated.xml
xml_seed nul_inside.xml "$(record 'F' 'S' 1)\x00<x>"
xml_seed cut_utf8_character.xml "<?xml version=\"1.0\"?><Names><Name><f>\xE3"
xml_seed far_reference.xml "<Names><Name><f>&#x41</f><s>x</s>;</Name></Names>"
xml_seed deep_accepted.xml "<Names>$(nested 250 '<n><f>F</f></n>')</Names>"
xml_seed deep_rejected.xml "$(nested 300 '')"

# ---- the combiner: first byte the surname length, surname, candidates ----

seed fuzz_name_combiner separators.bin '\x02\xCD\xF5\xA3\xAC\xC3\xC0 \xC0\xF6\xA1\xA3'
seed fuzz_name_combiner repeated_character.bin '\x02\xCD\xF5\xC3\xC0\xC0\xF6\xC3\xC0'
seed fuzz_name_combiner double_then_single.bin '\x02\xCD\xF5\xC3\xC0a'
seed fuzz_name_combiner singles_then_double.bin '\x02\xCD\xF5ab\xC3\xC0'
seed fuzz_name_combiner characters_on_a_boundary.bin '\x02\xCD\xF5\xB1\xB1\xB0\xB1\xB1\xB0'
seed fuzz_name_combiner single_splits_character.bin '\x02\xCD\xF5\xC3\xC0b\xB0\xC3\xC0\xF6'
seed fuzz_name_combiner lone_lead_byte.bin '\x02\xCD\xF5\xC3\xC0\xC3'
seed fuzz_name_combiner empty_surname.bin '\x00\xC3\xC0\xC0\xF6'
seed fuzz_name_combiner surname_trailing_space.bin '\x03\xCD\xF5 \xC3\xC0\xC0\xF6'
seed fuzz_name_combiner separators_only.bin '\x02\xCD\xF5,.\xA3\xAC\xA1\xA3 '
seed fuzz_name_combiner no_candidates.bin '\x02\xCD\xF5'
seed fuzz_name_combiner lead_bytes_only.bin '\x00\xE3\xFF\xFF\xFF\xFF\xC0\xFF\xC0\xF6'

# ---- the codec: bytes to decode, and the same bytes as UTF-16LE to encode ----

seed fuzz_gbk_codec wang.bin '\xCD\xF5'
seed fuzz_gbk_codec separators.bin '\xA3\xAC\xC3\xC0 \xC0\xF6\xA1\xA3'
seed fuzz_gbk_codec repeated_character.bin '\xC3\xC0\xC0\xF6\xC3\xC0'
seed fuzz_gbk_codec double_then_single.bin '\xC3\xC0a'
seed fuzz_gbk_codec singles_then_double.bin 'ab\xC3\xC0'
seed fuzz_gbk_codec characters_on_a_boundary.bin '\xB1\xB1\xB0\xB1\xB1\xB0'
seed fuzz_gbk_codec lone_lead_byte.bin '\xC3\xC0\xC3'
seed fuzz_gbk_codec euro.bin '\x80'
seed fuzz_gbk_codec byte_ff.bin '\xFF'
seed fuzz_gbk_codec bad_second_byte.bin '\x81 a'
seed fuzz_gbk_codec utf16_wang_mei.bin '\x8B\x73\x8E\x7F'
seed fuzz_gbk_codec utf16_emoji.bin '\x8B\x73\x3D\xD8\x00\xDE\x8E\x7F'
seed fuzz_gbk_codec utf16_soft_hyphen.bin 'a\x00\xAD\x00b\x00'
seed fuzz_gbk_codec utf16_high_surrogate_last.bin 'a\x00\x00\xD8'
