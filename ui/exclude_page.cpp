#include "exclude_page.h"

#include "exclusion_host.h"
#include "exclusion_model.h"

CExcludePage::CExcludePage(ExclusionHost& host, QWidget* parent)
    : CExcludePage(host, new ExclusionModel, parent)
{
}

CExcludePage::CExcludePage(ExclusionHost& host, ExclusionModel* model, QWidget* parent)
    : ResultPage(res::excludePage, model, parent)
    , m_host(host)
    , m_model(model)
{
}

void CExcludePage::applyExclusions()
{
    m_host.deleteGoodNameRows(m_model->tickedRows());
}
