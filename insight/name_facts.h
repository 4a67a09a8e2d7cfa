#pragma once

#include "insight/name_insight.h"
#include "insight/name_text.h"
#include "naming/name_list.h"

#include <memory>

// What a window shows about one NameList: the list, what the character table says about its
// rows, and the rows as text. The insight and the text are made when first asked for, since
// showing the names needs neither; every view of the same list shares one NameFacts.
class NameFacts final {
public:
    NameFacts(NameList names, NameInsight::Decoder decode);

    const NameList& names() const { return m_names; }
    // Gathered on the first call.
    const NameInsight& insight();
    // Made from insight() on the first call.
    const NameText& text();

private:
    NameList m_names;
    NameInsight::Decoder m_decode;
    std::unique_ptr<const NameInsight> m_insight;
    std::unique_ptr<const NameText> m_text;
};
