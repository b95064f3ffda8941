#include "app/app_resources.h"

#include <QtGlobal>

void InitAppResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(quorvel);
        return true;
    }();
    Q_UNUSED(registered);
}
