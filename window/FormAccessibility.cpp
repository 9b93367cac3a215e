// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormAccessibility.h"

#include "FieldCatalogue.h"
#include "Form1.h"
#include "LinkLabel.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

using Relations = QList<QPair<QAccessibleInterface *, QAccessible::Relation>>;

class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(LinkLabel *link)
        : QAccessibleWidget(link, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name || kind == QAccessible::Value)
            return link()->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            link()->activate();
    }

private:
    LinkLabel *link() const { return static_cast<LinkLabel *>(widget()); }
};

class ComboAccessible : public QAccessibleWidget
{
public:
    explicit ComboAccessible(QComboBox *combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return combo()->accessibleName();
        if (kind == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = combo()->view()->isVisible();
        state.editable = combo()->isEditable();
        return state;
    }

    // A combo without a caption of its own is labelled by its row's.
    Relations relations(QAccessible::Relation match) const override
    {
        Relations found = QAccessibleWidget::relations(match);
        const bool labelled = std::ranges::any_of(
            found, [](const auto &relation) { return relation.second & QAccessible::Label; });
        const auto *form = qobject_cast<const Form1 *>(combo()->window());
        QWidget *caption
            = form ? form->control(FieldCatalogue::captionLabel(combo()->objectName())) : nullptr;
        if ((match & QAccessible::Label) && !labelled && caption)
            found.append({QAccessible::queryAccessibleInterface(caption), QAccessible::Label});
        return found;
    }

    // The list first, then the field, as Qt's own combo box has them.
    int childCount() const override { return 2; }
    QAccessibleInterface *child(int index) const override
    {
        const std::array<QObject *, 2> children{combo()->view(), combo()->lineEdit()};
        return index == 0 || index == 1 ? QAccessible::queryAccessibleInterface(children[index])
                                        : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child->object() == combo()->view())
            return 0;
        return child->object() == combo()->lineEdit() ? 1 : -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        return combo()->lineEdit()->hasFocus() ? child(1) : nullptr;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            combo()->showPopup();
    }

private:
    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *formInterface(const QString &className, QObject *object)
{
    if (className == "LinkLabel"_L1)
        return new LinkAccessible(static_cast<LinkLabel *>(object));
    auto *combo = qobject_cast<QComboBox *>(object);
    if (className == "QComboBox"_L1 && qobject_cast<Form1 *>(combo->window()))
        return new ComboAccessible(combo);
    return nullptr;
}

} // namespace

void FormAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(formInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
