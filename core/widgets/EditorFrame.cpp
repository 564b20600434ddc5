#include "core/widgets/EditorFrame.h"

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"

#include "core/widgets/Picture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
QString controlText(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *c = qobject_cast<QCheckBox *>(w))
        return c->isChecked() ? FieldCodec::yes() : FieldCodec::no();
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return p->toPlainText();
    if (auto *b = qobject_cast<QComboBox *>(w))
        return b->currentText();
    return {};
}

void setControlText(QWidget *w, const QString &text)
{
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        e->setText(text);
    } else if (auto *l = qobject_cast<QLabel *>(w)) {
        l->setTextFormat(Qt::PlainText); // stored text, never markup
        l->setText(text);
    } else if (auto *c = qobject_cast<QCheckBox *>(w)) {
        if (text == FieldCodec::yes())
            c->setChecked(true);
        else if (text == FieldCodec::no())
            c->setChecked(false);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(w)) {
        p->setPlainText(text);
    } else if (auto *b = qobject_cast<QComboBox *>(w)) {
        b->setCurrentText(text);
    }
}

// A control of the editor itself: the windows it owns (searches, lists) are its children too and carry
// controls of the same names, so the lookup never descends into another window.
QWidget *control(QWidget *window, const QString &name)
{
    QList<QWidget *> level{window};
    while (!level.isEmpty()) {
        QList<QWidget *> next;
        for (QWidget *w : level) {
            for (QObject *o : w->children()) {
                auto *child = qobject_cast<QWidget *>(o);
                if (!child || child->isWindow())
                    continue;
                if (child->objectName() == name)
                    return child;
                next.append(child);
            }
        }
        level = next;
    }
    return nullptr;
}

QWidget *control(QWidget *window, std::string_view name)
{
    return control(window, QString::fromLatin1(name.data(), qsizetype(name.size())));
}
} // namespace

namespace {
struct CommandKey {
    QWidget *EditorFrame::Commands::*command;
    QKeyCombination key;
    const char16_t *caption;
};
const CommandKey kCommandKeys[] = {
    {&EditorFrame::Commands::salva, Qt::CTRL | Qt::Key_S, u"Salva"},
    {&EditorFrame::Commands::nuovo, Qt::CTRL | Qt::Key_N, u"Nuovo"},
    {&EditorFrame::Commands::duplica, Qt::CTRL | Qt::Key_D, u"Duplica"},
    {&EditorFrame::Commands::trova, Qt::CTRL | Qt::Key_F, u"Trova"},
    {&EditorFrame::Commands::stampa, Qt::CTRL | Qt::Key_P, u"Stampa"},
    {&EditorFrame::Commands::guida, QKeyCombination(Qt::Key_F1), u"Guida"},
    {&EditorFrame::Commands::primo, Qt::ALT | Qt::Key_Home, u"Prima scheda"},
    {&EditorFrame::Commands::indietro, Qt::ALT | Qt::Key_PageUp, u"Scheda precedente"},
    {&EditorFrame::Commands::avanti, Qt::ALT | Qt::Key_PageDown, u"Scheda successiva"},
    {&EditorFrame::Commands::ultimo, Qt::ALT | Qt::Key_End, u"Ultima scheda"},
    {&EditorFrame::Commands::anteprima, Qt::CTRL | Qt::SHIFT | Qt::Key_P, u"Anteprima di stampa"},
    {&EditorFrame::Commands::allega, Qt::CTRL | Qt::SHIFT | Qt::Key_A, u"Allega"},
    {&EditorFrame::Commands::esporta, Qt::CTRL | Qt::Key_E, u"Esporta"},
    {&EditorFrame::Commands::esci, Qt::CTRL | Qt::Key_Q, u"Esci"},
};
constexpr Qt::Key kListKeys[] = {Qt::Key_F5, Qt::Key_F6, Qt::Key_F7};

// A text field would take some of these keys for itself (Ctrl+D deletes on some desktops): while the focus
// is in the editor, the editor's command keys go to the commands.
class CommandKeysFirst : public QObject {
public:
    CommandKeysFirst(QWidget *window, QList<QKeyCombination> keys) : QObject(window), m_window(window), m_keys(keys)
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::ShortcutOverride || !o->isWidgetType())
            return false;
        if (static_cast<QWidget *>(o)->window() != m_window)
            return false;
        const auto *k = static_cast<QKeyEvent *>(e);
        const QKeyCombination pressed(k->modifiers() & ~Qt::KeypadModifier, Qt::Key(k->key()));
        if (!m_keys.contains(pressed))
            return false;
        e->ignore();
        return true;
    }

private:
    QWidget *m_window;
    QList<QKeyCombination> m_keys;
};
} // namespace

void EditorFrame::bindKeys(QWidget *window, const Commands &commands)
{
    QList<QPair<QWidget *, QKeyCombination>> bound;
    for (const auto &ck : kCommandKeys)
        if (QWidget *command = commands.*(ck.command))
            bound.append({command, ck.key});
    for (int i = 0; i < commands.lists.size() && i < int(std::size(kListKeys)); ++i)
        bound.append({commands.lists[i], QKeyCombination(kListKeys[i])});
    QList<QKeyCombination> keys;
    for (const auto &[command, key] : bound) {
        const QKeySequence sequence(key);
        auto *shortcut = new QShortcut(sequence, window);
        shortcut->setContext(Qt::WindowShortcut);
        QPointer<QWidget> target(command);
        QObject::connect(shortcut, &QShortcut::activated, command, [target] {
            if (!target || !target->isVisible() || !target->isEnabled())
                return;
            if (auto *p = qobject_cast<Picture *>(target))
                p->click();
            else if (auto *b = qobject_cast<QAbstractButton *>(target))
                b->click();
        });
        command->setProperty("shortcutText", sequence.toString(QKeySequence::PortableText));
        keys.append(key);
    }
    new CommandKeysFirst(window, keys);
}

QList<QPair<QString, QString>> EditorFrame::keyList()
{
    QList<QPair<QString, QString>> list;
    for (const auto &ck : kCommandKeys)
        list.append({QKeySequence(ck.key).toString(QKeySequence::PortableText), QString::fromUtf16(ck.caption)});
    for (Qt::Key k : kListKeys)
        list.append({QKeySequence(k).toString(QKeySequence::PortableText), QStringLiteral("Elenchi")});
    return list;
}

EditorFrame::EditorFrame(QWidget *window, QLabel *position, Config config)
    : QObject(window), m_window(window), m_position(position), m_config(std::move(config))
{
}

qint64 EditorFrame::position() const
{
    bool ok = false;
    const qint64 p = m_position->text().trimmed().toLongLong(&ok);
    return ok && p > 0 ? p : 0;
}

void EditorFrame::setPosition(qint64 position)
{
    m_position->setText(position > 0 ? QString::number(position) : QString());
}

void EditorFrame::loadInto(QWidget *window, const Record &record)
{
    const auto &layout = record.layout();
    for (int i = 0; i < layout.count(); ++i)
        if (auto *w = control(window, layout.field(i).control))
            setControlText(w, record.text(i));
}

void EditorFrame::load(const Record &record, qint64 position)
{
    loadInto(m_window, record);
    setPosition(position);
}

void EditorFrame::fillRecord(Record &record) const
{
    const auto &layout = *m_config.layout;
    for (int i = 0; i < layout.count(); ++i)
        if (auto *w = control(m_window, layout.field(i).control))
            record.setText(i, controlText(w));
}

bool EditorFrame::loadAt(qint64 position, ArchiveFile &file)
{
    QByteArray bytes;
    if (!file.read(position, bytes))
        return false;
    load(Record(*m_config.layout, bytes), position);
    return true;
}

// Navigation: the archive is opened for each click and closed again before any message is shown.
// target maps (record count, shown position) to the record to load, or 0 for "nothing happens".
void EditorFrame::navigate(qint64 (*target)(qint64 n, qint64 p), bool emptyPositionWhenEmpty)
{
    ArchiveFile file(archivePath(), m_config.layout->size());
    if (!file.open())
        return Seams::Messages::error(m_window, ArchiveTexts::accessFailure());
    const qint64 n = file.count();
    if (n == 0) {
        file.close();
        if (emptyPositionWhenEmpty)
            setPosition(0);
        return Seams::Messages::information(m_window, ArchiveTexts::emptyArchive());
    }
    const qint64 to = target(n, position());
    if (to > 0 && !loadAt(to, file))
        Seams::Messages::error(m_window, file.failureText());
}

void EditorFrame::first()
{
    navigate([](qint64, qint64) -> qint64 { return 1; }, false);
}

void EditorFrame::last()
{
    navigate([](qint64 n, qint64) -> qint64 { return n; }, false);
}

void EditorFrame::next()
{
    navigate([](qint64 n, qint64 p) -> qint64 { return p == 0 ? 1 : p < n ? p + 1 : 0; }, true);
}

void EditorFrame::previous()
{
    navigate([](qint64, qint64 p) -> qint64 { return p == 0 ? 1 : p == 1 ? 0 : p - 1; }, false);
}

bool EditorFrame::save()
{
    Record record(*m_config.layout);
    ArchiveFile file(archivePath(), m_config.layout->size());
    if (!file.open()) {
        Seams::Messages::show(m_window, m_config.saveFailureKind, ArchiveTexts::accessFailure());
        return false;
    }
    fillRecord(record);
    const qint64 p = position();
    if (p != 0) {
        // A failed close may mean the record never reached the disk: it counts as a failed save.
        if (!file.write(p, record.bytes()) || !file.close()) {
            file.close();
            Seams::Messages::show(m_window, m_config.saveFailureKind, file.failureText());
            return false;
        }
        setPosition(p);
        Seams::Messages::information(m_window, ArchiveTexts::savedChanges());
        return true;
    }
    const auto landed = file.append(record.bytes());
    if (!landed || !file.close()) {
        file.close();
        Seams::Messages::show(m_window, m_config.saveFailureKind, file.failureText());
        return false;
    }
    setPosition(*landed);
    Seams::Messages::information(m_window, m_config.insertedMessage);
    return true;
}

bool EditorFrame::duplicate(const QString &notStoredWarning, const QStringList &controlsToEmpty, QWidget *focus,
                            const QString &information)
{
    if (position() == 0) {
        Seams::Messages::warning(m_window, notStoredWarning);
        return false;
    }
    for (const auto &name : controlsToEmpty)
        if (auto *w = control(m_window, name))
            setControlText(w, QString());
    setPosition(0);
    ArchiveFile file(archivePath(), m_config.layout->size());
    if (!file.open()) {
        Seams::Messages::error(m_window, ArchiveTexts::accessFailure());
        return false;
    }
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
    file.close();
    Seams::Messages::information(m_window, information);
    return true;
}
