#include "app/InfoBulles.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace {

class ToolTipFilter final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

ToolTipFilter* filter = nullptr;

} // namespace

void SetToolTipsHidden(bool hidden)
{
    if (hidden && !filter) {
        filter = new ToolTipFilter;
        QCoreApplication::instance()->installEventFilter(filter);
    } else if (!hidden && filter) {
        QCoreApplication::instance()->removeEventFilter(filter);
        delete filter;
        filter = nullptr;
    }
}

bool ToolTipsHidden()
{
    return filter != nullptr;
}
