// A procedure that sees a window system: the include rules must name this line.
#include <QWidget>
