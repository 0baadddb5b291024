#include "platform/ui/ProgramIcon.h"

namespace tz {

QIcon programIcon() {
    QIcon builtIn;
    for (const char* size : {"48", "256"})
        builtIn.addFile(QStringLiteral(":/icons/%1/org.tarvelo.zuva.png").arg(size));
    return QIcon::fromTheme("org.tarvelo.zuva", builtIn);
}

}  // namespace tz
