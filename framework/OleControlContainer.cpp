#include "OleControlContainer.h"
#include "OleControlSite.h"
#include "Wnd.h"

COleControlContainer::~COleControlContainer() {
    // Controls go in reverse order of creation; each site tears its own down.
    while (!m_sites.empty()) {
        std::unique_ptr<COleControlSite> site = std::move(m_sites.back());
        m_sites.pop_back();
        site->ReleaseControl();
    }
}

COleControlSite* COleControlContainer::Add(std::unique_ptr<COleControlSite> site) {
    m_sites.push_back(std::move(site));
    return m_sites.back().get();
}

void COleControlContainer::Remove(COleControlSite* site) {
    for (auto it = m_sites.begin(); it != m_sites.end(); ++it) {
        if (it->get() == site) {
            std::unique_ptr<COleControlSite> owned = std::move(*it);
            m_sites.erase(it);
            owned->ReleaseControl();
            return;
        }
    }
}

COleControlSite* COleControlContainer::FindItem(UINT id) const {
    for (const auto& site : m_sites)
        if (site->m_nID == id)
            return site.get();
    return nullptr;
}

COleControlSite* COleControlContainer::SiteForWindow(HWND hWnd) const {
    for (const auto& site : m_sites)
        if (site->m_hWnd != nullptr && (site->m_hWnd == hWnd || ::IsChild(site->m_hWnd, hWnd)))
            return site.get();
    return nullptr;
}

void COleControlContainer::OnEvent(COleControlSite* site, DISPID dispid, const DISPPARAMS* params) {
    if (m_pWnd != nullptr)
        m_pWnd->OnEvent(site->m_nID, dispid, params);
}
