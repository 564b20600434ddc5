#include "registry/AllegaCartella.h"

#include "core/OpenURL.h"
#include "core/Seams.h"
#include "core/widgets/CallerTags.h"
#include "core/widgets/Controls.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"
#include "registry/AttachmentFolder.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString slotName(const char *prefix, int slot)
{
    return QString::fromLatin1(prefix) + QStringLiteral("0%1").arg(slot + 1);
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget *parent) : QDialog(parent)
{
    setObjectName(WindowNames::allegaCartella.toString());
    setWindowTitle(QStringLiteral(" Allega file"));
    WindowStyle::fixedDialog(this);
    setStyleSheet(
        QStringLiteral("QFrame#shpSlot { background: #F4F7FA; border: 1px solid #B8C4D0; border-radius: 6px; }"
                       "QFrame#shpSlot QLabel { color: #1F3A5F; font-weight: bold; }"
                       "QLineEdit[readOnly=\"true\"] { background: #E4E4E4; color: #404040; font-weight: bold; }"));

    auto *layout = new QVBoxLayout(this);
    const QFont descFont(QStringLiteral("Verdana"), 12, QFont::Bold);
    QWidget *previous = nullptr;
    for (int i = 0; i < 3; ++i) {
        auto *frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("shpSlot"));
        auto *grid = new QGridLayout(frame);
        const QString ordinal = QStringLiteral("%1°").arg(i + 1);
        grid->addWidget(new QLabel(QStringLiteral("Nome %1 file allegato:").arg(ordinal), frame), 0, 0, 1, 4);
        auto *file = new QLineEdit(frame);
        file->setObjectName(slotName("txtFile", i));
        file->setReadOnly(true);
        file->setMinimumWidth(380);
        auto *cancella =
            new Picture(slotName("imgCancella", i), QStringLiteral(":/icons/clear.svg"), QSize(26, 26), frame);
        cancella->setCursor(Qt::PointingHandCursor);
        cancella->setToolTip(QStringLiteral("Elimina il riferimento al file allegato."));
        auto *sfoglia = new QPushButton(QStringLiteral("Sfoglia..."), frame);
        sfoglia->setObjectName(slotName("btnSfoglia", i));
        auto *apri = new QPushButton(QStringLiteral("Apri"), frame);
        apri->setObjectName(slotName("btnApri", i));
        apri->setEnabled(false);
        grid->addWidget(file, 1, 0);
        grid->addWidget(cancella, 1, 1);
        grid->addWidget(sfoglia, 1, 2);
        grid->addWidget(apri, 1, 3);
        grid->addWidget(new QLabel(QStringLiteral("Descrizione %1 file allegato:").arg(ordinal), frame), 2, 0, 1, 4);
        auto *desc = new QLineEdit(frame);
        desc->setObjectName(slotName("txtDesc", i));
        desc->setFont(descFont);
        // The record keeps 250 characters of a description: the box takes no more, so nothing is cut unseen.
        desc->setMaxLength(AttachmentFolder::kNameCapacity);
        grid->addWidget(desc, 3, 0, 1, 4);
        grid->setColumnStretch(0, 1);
        layout->addWidget(frame);

        m_slots[size_t(i)] = {file, desc, apri};
        connect(sfoglia, &QPushButton::clicked, this, [this, i] { btnSfogliaClick(i); });
        connect(apri, &QPushButton::clicked, this, [this, i] { btnApriClick(i); });
        connect(cancella, &Picture::clicked, this, [this, i] { imgCancellaClick(i); });
        file->installEventFilter(this);
        connect(file, &QLineEdit::textChanged, apri,
                [apri](const QString &t) { apri->setEnabled(!t.trimmed().isEmpty()); });
        for (QWidget *w : {static_cast<QWidget *>(file), static_cast<QWidget *>(sfoglia), static_cast<QWidget *>(apri),
                           static_cast<QWidget *>(desc)}) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
        (i == 0 ? imgCancella01 : i == 1 ? imgCancella02 : imgCancella03) = cancella;
        (i == 0 ? btnSfoglia01 : i == 1 ? btnSfoglia02 : btnSfoglia03) = sfoglia;
    }
    txtFile01 = m_slots[0].file, txtFile02 = m_slots[1].file, txtFile03 = m_slots[2].file;
    txtDesc01 = m_slots[0].desc, txtDesc02 = m_slots[1].desc, txtDesc03 = m_slots[2].desc;
    btnApri01 = m_slots[0].apri, btnApri02 = m_slots[1].apri, btnApri03 = m_slots[2].apri;

    btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    btnApplica->setObjectName(QStringLiteral("btnApplica"));
    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnApplica);
    buttons->addWidget(btnAnnulla);
    layout->addLayout(buttons);
    panInfo = Controls::statusLine(this, QString());
    panInfo->setWordWrap(true);
    panInfo->setMinimumHeight(24);
    layout->addWidget(panInfo);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(previous, btnApplica);
    setTabOrder(btnApplica, btnAnnulla);

    lblMemory = new QLabel(QStringLiteral("lblMemory"), this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmAllegaCartella::attachFor(QWidget *editor, const QString &context)
{
    auto *w = new TfrmAllegaCartella(editor);
    w->lblMemory->setText(context);
    const QStringList held = CallerTags::read(CallerTags::From::Attachments, context);
    for (int i = 0; i < 3 && i * 2 + 1 < held.size(); ++i) {
        w->m_slots[size_t(i)].file->setText(held[i * 2].trimmed());
        w->m_slots[size_t(i)].desc->setText(held[i * 2 + 1].trimmed());
    }
    w->adjustSize(); // centred at its real size, not the size before its layout ran
    WindowStyle::centre(w);
    w->exec();
    delete w;
    // Work goes on in the editor, also where no window manager hands the focus back.
    if (editor)
        editor->window()->activateWindow();
}

void TfrmAllegaCartella::btnSfogliaClick(int slot)
{
    const QString chosen = Seams::FileDialog::getOpenFileName(this, QStringLiteral("Selezionare il file da allegare:"),
                                                              QString(), QStringLiteral("Tutti i file (*)"));
    if (chosen.isEmpty())
        return;
    // The slot names a file only once the folder really holds it.
    const auto name = AttachmentFolder::attach(this, chosen);
    if (name) {
        m_slots[size_t(slot)].file->setText(*name);
        // A name other than the file's own is said, so the user can find the file again in the folder.
        const QString original = QFileInfo(chosen).fileName();
        if (*name == original)
            panInfo->clear();
        else if (AttachmentFolder::storableName(original) != original)
            panInfo->setText(QStringLiteral("Il file «%1» è stato allegato con il nome «%2»: il nome originale "
                                            "contiene caratteri che l'archivio non può conservare.")
                                 .arg(original, *name));
        else
            panInfo->setText(QStringLiteral("Il file «%1» è stato allegato con il nome «%2»: la cartella degli "
                                            "allegati ha già un altro file con il nome originale.")
                                 .arg(original, *name));
    }
    // What is typed next is the description of that file: the focus must not stay on a button that a blank
    // would press.
    QLineEdit *desc = m_slots[size_t(slot)].desc;
    desc->setFocus(Qt::TabFocusReason);
    desc->selectAll();
}

void TfrmAllegaCartella::btnApriClick(int slot)
{
    // The name comes from a shared archive: only a file inside the folder is ever handed to the desktop.
    const QString file = AttachmentFolder::fileFor(m_slots[size_t(slot)].file->text());
    if (!file.isEmpty())
        TMisc::Open(QLatin1Char('"') + file + QLatin1Char('"'));
}

void TfrmAllegaCartella::imgCancellaClick(int slot)
{
    m_slots[size_t(slot)].file->clear();
}

bool TfrmAllegaCartella::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        for (int i = 0; i < 3; ++i) {
            if (watched == m_slots[size_t(i)].file && (key == Qt::Key_Delete || key == Qt::Key_Backspace)) {
                imgCancellaClick(i);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmAllegaCartella::btnApplicaClick()
{
    QStringList values;
    for (const auto &slot : m_slots)
        values << slot.file->text().trimmed() << slot.desc->text().trimmed();
    if (CallerTags::write(CallerTags::From::Attachments, lblMemory->text().trimmed(), values))
        accept();
}
