// A core header that reaches for Qt.
#include <QString>
