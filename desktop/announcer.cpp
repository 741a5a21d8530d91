// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

namespace {

class AccessibleAnnouncer final : public QAccessibleWidget {
public:
    explicit AccessibleAnnouncer(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const Announcer *>(widget())->Message();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *AccessibleAnnouncerFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("Announcer"))
        return new AccessibleAnnouncer(static_cast<Announcer *>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(AccessibleAnnouncerFor);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("Announcer"));
    hide();
}

void Announcer::Say(const QString &message)
{
    // The analyzer loses track of the slot object that Qt takes over.
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
    QTimer::singleShot(0, this, [this, message] {
        message_ = message;
        QAccessibleEvent named(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    });
}
