#include "gui/text/DictionaryList.h"

#include "base/text/DictionaryFile.h"
#include "gui/form/Controls.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace text {

DictionaryList::DictionaryList(const form::Controls& controls, QString filePath)
    : m_controls(controls)
    , m_filePath(std::move(filePath))
{
}

void DictionaryList::LoadWords()
{
    // A missing file is tested too: edits made in this run could otherwise not reach the disk at exit, unnoticed.
    if (!DictionaryFile::isWritable(m_filePath))
        showReadOnlyNotice();

    const DictionaryFile::LoadResult loaded = DictionaryFile::load(m_filePath);
    // Kept for the exit: saving what little was read would replace the whole file with it.
    m_loaded = loaded.read;
    m_loadedDefaults = loaded.usedDefaults;
    for (const DictionaryRow& row : loaded.rows)
        appendRow(row);
    appendRow({kEntrySeparator, false});
    m_controls.liWords->setCurrentRow(m_controls.liWords->count() - 1);

    // Every change from here on is this run's: an edit, a check box, a row the preparation pass switched off.
    const QAbstractItemModel* model = m_controls.liWords->model();
    const auto changed = [this] { m_changed = true; };
    QObject::connect(model, &QAbstractItemModel::dataChanged, &m_changeWatch, changed);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, &m_changeWatch, changed);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, &m_changeWatch, changed);
}

core::Result DictionaryList::SaveWords() const
{
    if (!m_loaded)
        return core::Result::failure(m_loaded.error() + QStringLiteral(" (not saved, so the file is kept)"));
    // The defaults are written to a file still missing, as its first content; one another run created meanwhile
    // is kept.
    if (!m_changed && !(m_loadedDefaults && !QFileInfo::exists(m_filePath)))
        return {};
    return DictionaryFile::save(m_filePath, rows());
}

QList<DictionaryRow> DictionaryList::rows() const
{
    QList<DictionaryRow> result;
    const QListWidget* list = m_controls.liWords;
    result.reserve(list->count());
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        result.append({item->text(), item->checkState() != Qt::Unchecked});
    }
    return result;
}

void DictionaryList::uncheckRow(int index)
{
    if (QListWidgetItem* item = m_controls.liWords->item(index))
        item->setCheckState(Qt::Unchecked);
}

void DictionaryList::appendRow(const DictionaryRow& row)
{
    // Made complete before it joins the list: changing an item that is already in the list costs time that grows
    // with the list's length, which makes loading a big dictionary quadratic.
    auto* item = new QListWidgetItem(row.text);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
    m_controls.liWords->addItem(item);
}

void DictionaryList::showReadOnlyNotice()
{
    m_readOnly = true;
    for (QLineEdit* edit : {m_controls.tWL1, m_controls.tWL2}) {
        edit->setEnabled(false);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Inactive, QPalette::Window));
        edit->setPalette(palette);
    }
    m_controls.cAdd->setEnabled(false);
    m_controls.cRemove->setEnabled(false);
    m_controls.lWords->setText(QStringLiteral("Hinweis:  Die Wörterbuch-Datei hat einen Schreibschutz oder kann im "
                                              "aktuellen Order nicht erstellt werden !"));
    m_controls.pWords->show();
}

} // namespace text
