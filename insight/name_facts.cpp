#include "insight/name_facts.h"

NameFacts::NameFacts(NameList names, NameInsight::Decoder decode)
    : m_names(std::move(names))
    , m_decode(std::move(decode))
{
}

const NameInsight& NameFacts::insight()
{
    if (!m_insight)
        m_insight = std::make_unique<const NameInsight>(m_names, m_decode);
    return *m_insight;
}

const NameText& NameFacts::text()
{
    if (!m_text)
        m_text = std::make_unique<const NameText>(insight());
    return *m_text;
}
