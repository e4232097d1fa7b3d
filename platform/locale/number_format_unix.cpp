// The toolkit's locale: the one the environment names, or the one the program set as default.
#include "platform/locale/number_format.h"

#include <QLocale>

namespace platform {

std::string DecimalSeparator() { return QLocale().decimalPoint().toStdString(); }

}  // namespace platform
