#include "CustomOccManager.h"
#include "CustomControlSite.h"

COleControlSite* CCustomOccManager::CreateSite(COleControlContainer* container) {
    return new CCustomControlSite(container);
}
