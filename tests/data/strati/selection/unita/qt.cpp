// A rating unit source that includes Qt.
#include <QString>
