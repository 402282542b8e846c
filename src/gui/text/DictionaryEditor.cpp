#include "gui/text/DictionaryEditor.h"

#include "base/core/MessageBox.h"
#include "base/text/DictionaryRow.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace text {

namespace {

bool hasNoSearchWord(const QListWidgetItem* item)
{
    return item->text().startsWith(kEntrySeparator);
}

} // namespace

DictionaryEditor::DictionaryEditor(const Widgets& widgets, QObject* parent)
    : QObject(parent)
    , m_controls(widgets)
{
    QListWidget* list = m_controls.liWords;
    connect(list, &QListWidget::currentRowChanged, this, &DictionaryEditor::rowSelected);
    connect(list, &QListWidget::itemClicked, this, &DictionaryEditor::rowSelected);
    connect(m_controls.tWL1, &QLineEdit::textEdited, this, &DictionaryEditor::searchWordTyped);
    connect(m_controls.tWL1, &QLineEdit::textChanged, this, &DictionaryEditor::uncheckCurrentIfNoSearchWord);
    connect(m_controls.tWL2, &QLineEdit::textEdited, this, &DictionaryEditor::replacementTyped);
    connect(m_controls.cAdd, &QPushButton::clicked, this, &DictionaryEditor::Add);
    connect(m_controls.cRemove, &QPushButton::clicked, this, &DictionaryEditor::Remove);
    connect(m_controls.cUp, &QPushButton::clicked, this, &DictionaryEditor::MoveUp);
    connect(m_controls.cDn, &QPushButton::clicked, this, &DictionaryEditor::MoveDown);
    m_controls.tWL1->installEventFilter(this);
    m_controls.tWL2->installEventFilter(this);
}

bool DictionaryEditor::listHasFocus() const
{
    return m_controls.liWords->hasFocus();
}

void DictionaryEditor::rowSelected()
{
    if (m_listBusy)
        return;
    QListWidget* list = m_controls.liWords;
    const int current = list->currentRow();
    if (list->count() >= 2) {
        for (int i = 0; i < list->count(); ++i) {
            if (i != current && hasNoSearchWord(list->item(i)))
                list->item(i)->setCheckState(Qt::Unchecked);
        }
    } else if (list->count() == 1 && current != 0) {
        list->setCurrentRow(0); // runs this again
        return;
    }
    const QListWidgetItem* item = list->currentItem();
    if (!item || !item->text().contains(kEntrySeparator))
        return;
    const DictionaryEntry entry = splitRow(item->text());
    m_controls.tWL1->setText(entry.search);
    m_controls.tWL2->setText(entry.replacement);
}

void DictionaryEditor::searchWordTyped()
{
    if (QListWidgetItem* item = m_controls.liWords->currentItem())
        item->setText(m_controls.tWL1->text() + kEntrySeparator + m_controls.tWL2->text());
    uncheckCurrentIfNoSearchWord();
}

void DictionaryEditor::replacementTyped()
{
    if (QListWidgetItem* item = m_controls.liWords->currentItem())
        item->setText(m_controls.tWL1->text() + kEntrySeparator + m_controls.tWL2->text());
}

void DictionaryEditor::uncheckCurrentIfNoSearchWord()
{
    // An entry without a search word would replace nothing: it must not stay active.
    QListWidgetItem* item = m_controls.liWords->currentItem();
    if (item && hasNoSearchWord(item))
        item->setCheckState(Qt::Unchecked);
}

void DictionaryEditor::Add()
{
    QListWidget* list = m_controls.liWords;
    const int current = list->currentRow();
    const int index = current >= 0 ? current : list->count();
    m_controls.tWL1->clear();
    m_controls.tWL2->clear();
    insertEmptyRow(index);
    list->setCurrentRow(index);
    rowSelected();
    m_controls.tWL1->setFocus();
    if (list->count() >= 2)
        removeEmptyRowsExceptCurrent();
    else
        list->setCurrentRow(list->count() - 1);
}

void DictionaryEditor::insertEmptyRow(int index)
{
    auto* item = new QListWidgetItem(kEntrySeparator);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    m_controls.liWords->insertItem(index, item);
}

void DictionaryEditor::removeEmptyRowsExceptCurrent()
{
    QListWidget* list = m_controls.liWords;
    const QListWidgetItem* current = list->currentItem();
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->item(i) != current && hasNoSearchWord(list->item(i)))
            delete list->takeItem(i);
    }
}

void DictionaryEditor::Remove()
{
    QListWidget* list = m_controls.liWords;
    const int index = list->currentRow();
    if (list->count() == 0 || index < 0)
        return;
    if (list->item(index)->text() != kEntrySeparator) {
        const core::MessageAnswer answer =
            core::showMessage({QStringLiteral(" ACHTUNG:"), QStringLiteral("  Eintrag löschen?  "),
                               core::MessageButtons::YesNo, core::MessageIcon::Exclamation, core::MessageAnswer::No});
        if (answer != core::MessageAnswer::Yes)
            return;
    }
    // Qt picks a new current row by itself when the current one goes: that is not a selection of the user's.
    m_listBusy = true;
    delete list->takeItem(index);
    const bool keepIndex = index > 0 && index < list->count();
    list->setCurrentRow(keepIndex ? index : -1);
    if (!keepIndex)
        list->clearSelection();
    m_listBusy = false;
    if (keepIndex)
        rowSelected();
}

void DictionaryEditor::MoveUp()
{
    move(-1);
}

void DictionaryEditor::MoveDown()
{
    move(1);
}

void DictionaryEditor::move(int step)
{
    QListWidget* list = m_controls.liWords;
    const int index = list->currentRow();
    const int target = index + step;
    if (index < 0 || target < 0 || target >= list->count()) {
        QApplication::beep();
        return;
    }
    // The edit boxes already show the moved entry: the change of the current row must not rewrite them.
    m_listBusy = true;
    QListWidgetItem* from = list->item(index);
    QListWidgetItem* to = list->item(target);
    const QString text = from->text();
    const Qt::CheckState check = from->checkState();
    from->setText(to->text());
    from->setCheckState(to->checkState());
    to->setText(text);
    to->setCheckState(check);
    list->setCurrentRow(target);
    m_listBusy = false;
}

bool DictionaryEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the caret, or the selection would be lost again.
        auto* edit = static_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace text
