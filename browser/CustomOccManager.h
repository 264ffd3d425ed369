#pragma once
// The launcher's control containment: every hosted control gets a site that
// also answers the HTML engine's host interface.
#include "OccManager.h"

class CCustomOccManager : public COccManager {
public:
    using COccManager::CreateSite;
    COleControlSite* CreateSite(COleControlContainer* container) override;
};
