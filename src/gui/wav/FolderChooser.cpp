#include "gui/wav/FolderChooser.h"

#include "base/core/FolderField.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

namespace wav {

namespace {

// Where the chooser stood when it was last closed: a folder field naming a folder that is gone opens here.
QString& lastFolder()
{
    static QString folder = QDir::homePath();
    return folder;
}

} // namespace

FolderChooser::FolderChooser(const QString& fieldText, QWidget* mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("FrmDir"));
    setWindowTitle(QStringLiteral("Ziel-Ordner:"));
    setModal(true);

    m_frame1 = new QGroupBox(this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_drive1 = new QComboBox(m_frame1);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_dir1 = new QListWidget(m_frame1);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_dir1->setToolTip(QStringLiteral(" Ordner mit Doppel-Klick auswählen ..."));
    auto* lists = new QVBoxLayout(m_frame1);
    lists->addWidget(m_drive1);
    lists->addWidget(m_dir1);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Cok"));
    m_ok->setToolTip(QStringLiteral(" OK, Auswahl übernehmen! "));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_cancel->setObjectName(QStringLiteral("Cab"));
    m_cancel->setToolTip(QStringLiteral(" Abbrechen "));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame1);
    layout->addLayout(buttons);
    resize(360, 400);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_dir1, &QListWidget::itemDoubleClicked, this, &FolderChooser::folderActivated);

    fillDrives();
    const FolderField field = splitFolderField(fieldText);
    m_remainder = field.remainder;
    if (!showFolder(field.folder.isEmpty() ? QDir::homePath() : field.folder) && !showFolder(lastFolder()))
        showFolder(QDir::rootPath());
    connect(m_drive1, &QComboBox::activated, this, &FolderChooser::driveChanged);

    if (mainWindow) {
        move(mainWindow->x() + mainWindow->width() / 2 - width() / 2,
             mainWindow->y() + mainWindow->height() / 2 - height() / 2);
    }
}

void FolderChooser::choose(QWidget* mainWindow, QString* fieldText)
{
    FolderChooser dialog(*fieldText, mainWindow);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    lastFolder() = dialog.currentFolder();
    if (accepted)
        *fieldText = dialog.fieldText();
}

QString FolderChooser::fieldText() const
{
    return joinFolderField(m_current, m_remainder);
}

void FolderChooser::fillDrives()
{
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            m_drive1->addItem(volume.rootPath(), volume.rootPath());
    }
}

bool FolderChooser::showFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isExecutable())
        return false;
    m_current = QDir::cleanPath(info.absoluteFilePath());

    m_dir1->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The path down to the current folder, one level of indent per step, then its subfolders.
    QStringList steps = m_current.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path = QStringLiteral("/");
    auto* root = new QListWidgetItem(open, path, m_dir1);
    root->setData(Qt::UserRole, path);
    int depth = 0;
    for (const QString& step : steps) {
        path = joinFolderField(path, step);
        auto* item = new QListWidgetItem(open, QString(++depth * 3, QLatin1Char(' ')) + step, m_dir1);
        item->setData(Qt::UserRole, path);
    }
    m_dir1->setCurrentRow(m_dir1->count() - 1);
    const QStringList children =
        QDir(m_current).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(closed, QString((depth + 1) * 3, QLatin1Char(' ')) + child, m_dir1);
        item->setData(Qt::UserRole, joinFolderField(m_current, child));
    }

    // The file system that holds the folder: the one with the longest mount point above it.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < m_drive1->count(); ++i) {
        const QString mount = m_drive1->itemData(i).toString();
        const bool holds = m_current == mount || m_current.startsWith(joinFolderField(mount, QString()));
        if (holds && mount.size() > bestLength) {
            best = i;
            bestLength = mount.size();
        }
    }
    m_drive1->setCurrentIndex(best);
    return true;
}

void FolderChooser::driveChanged(int index)
{
    showFolder(m_drive1->itemData(index).toString());
}

void FolderChooser::folderActivated(QListWidgetItem* item)
{
    showFolder(item->data(Qt::UserRole).toString());
}

} // namespace wav
