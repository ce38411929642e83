#include "Guarded.h"

#include "Dialogs.h"
#include "platform/os/Exception.h"

#include <QBoxLayout>
#include <QMenu>
#include <QPushButton>

namespace {

TDbErrorTranslator &translator()
{
    static TDbErrorTranslator instance;
    return instance;
}

int refusals = 0;

} // namespace

void SetDbErrorTranslator(TDbErrorTranslator translator)
{
    ::translator() = std::move(translator);
}

void ShowException(const std::exception &e)
{
    if (dynamic_cast<const EAbort *>(&e))
        return;
    if (const auto *db = dynamic_cast<const EDatabaseError *>(&e)) {
        // A copy: the translation may be replaced while it runs.
        const TDbErrorTranslator translate = translator();
        if (translate && translate(*db))
            return;
    }
    const auto *own = dynamic_cast<const Exception *>(&e);
    ShowError(own ? own->Message : QString::fromUtf8(e.what()));
}

bool Guarded(const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        ++refusals;
        ShowException(e);
    }
    return false;
}

int GuardedRefusals()
{
    return refusals;
}

QAction *AddGuardedAction(QMenu *menu, const QString &caption, std::function<void()> action)
{
    QAction *a = menu->addAction(caption);
    QObject::connect(a, &QAction::triggered, menu, [action = std::move(action)] { Guarded(action); });
    return a;
}

QPushButton *GuardedButton(const QString &caption, QWidget *parent, std::function<void()> action)
{
    auto *b = new QPushButton(caption, parent);
    QObject::connect(b, &QPushButton::clicked, b, [action = std::move(action)] { Guarded(action); });
    return b;
}

QPushButton *GuardedButton(const QString &caption, QWidget *parent, QBoxLayout *layout, std::function<void()> action)
{
    QPushButton *b = GuardedButton(caption, parent, std::move(action));
    layout->addWidget(b);
    return b;
}
