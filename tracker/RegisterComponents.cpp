#include "tracker/RegisterComponents.h"

#include "components/controls/RegisterControlComponents.h"
#include "components/data/RegisterDataComponents.h"
#include "components/forms/ComponentRegistry.h"
#include "components/grid/RegisterGridComponents.h"
#include "tracker/frmTrevaloProg.h"
#include "tracker/frmTrevaloProgHelp.h"

#include <mutex>

namespace trevalo {

void RegisterComponents() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterDataComponents();
        RegisterControlComponents();
        RegisterGridComponents();
    });
}

} // namespace trevalo
