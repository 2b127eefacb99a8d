// Built by the layer test alone: a widget named in the data layer must not build there.
#include <QWidget>

int WidgetInDataLayer() {
    return QWidget().width();
}
