// Built by the layer tests alone: a widget named in a layer without widgets must not build there.
#include <QWidget>

int WidgetInLayer() {
    return QWidget().width();
}
