#include "core/widgets/EditorFrame.h"

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"

#include <QCheckBox>
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
        e->setCursorPosition(0); // a long text shows its start
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

} // namespace

QWidget *EditorFrame::ownControl(QWidget *window, const QString &name)
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

bool EditorFrame::readable(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QLabel *>(w) ||
           qobject_cast<const QCheckBox *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w);
}

namespace {
QString controlName(const FieldDef &f)
{
    return QString::fromLatin1(f.control.data(), qsizetype(f.control.size()));
}
} // namespace

EditorFrame::EditorFrame(QWidget *window, QLabel *position, Config config)
    : QObject(window), m_window(window), m_position(position), m_config(std::move(config))
{
    const auto &layout = *m_config.layout;
    for (int i = 0; i < layout.count(); ++i) {
        const QString name = controlName(layout.field(i));
        QWidget *w = ownControl(window, name);
        if (!readable(w))
            qFatal("%s: the record field %s has no control %s it can read and fill", qPrintable(window->objectName()),
                   layout.field(i).name.data(), qPrintable(name));
        m_controls.append(w);
    }
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
        if (auto *w = ownControl(window, controlName(layout.field(i))))
            setControlText(w, record.text(i));
}

void EditorFrame::load(const Record &record, qint64 position)
{
    for (int i = 0; i < m_controls.size(); ++i)
        setControlText(m_controls[i], record.text(i));
    setPosition(position);
}

void EditorFrame::fillRecord(Record &record) const
{
    for (int i = 0; i < m_controls.size(); ++i)
        record.setText(i, controlText(m_controls[i]));
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
bool EditorFrame::navigate(qint64 (*target)(qint64 n, qint64 p), bool emptyPositionWhenEmpty)
{
    ArchiveFile file(archivePath(), m_config.layout->size());
    if (!file.open()) {
        Seams::Messages::error(m_window, ArchiveTexts::accessFailure());
        return false;
    }
    const qint64 n = file.count();
    if (n == 0) {
        file.close();
        if (emptyPositionWhenEmpty)
            setPosition(0);
        Seams::Messages::information(m_window, ArchiveTexts::emptyArchive());
        return false;
    }
    const qint64 to = target(n, position());
    if (to <= 0)
        return false;
    if (m_config.mayReplace) {
        // The question comes with the archive closed; the record is read afresh after it.
        file.close();
        if (!m_config.mayReplace() || !file.open())
            return false;
    }
    if (loadAt(to, file))
        return true;
    Seams::Messages::error(m_window, file.failureText());
    return false;
}

bool EditorFrame::first()
{
    return navigate([](qint64, qint64) -> qint64 { return 1; }, false);
}

bool EditorFrame::last()
{
    return navigate([](qint64 n, qint64) -> qint64 { return n; }, false);
}

bool EditorFrame::next()
{
    return navigate([](qint64 n, qint64 p) -> qint64 { return p == 0 ? 1 : p < n ? p + 1 : 0; }, true);
}

bool EditorFrame::previous()
{
    return navigate([](qint64, qint64 p) -> qint64 { return p == 0 ? 1 : p == 1 ? 0 : p - 1; }, false);
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

bool EditorFrame::duplicate(const QString &notStoredWarning, const std::function<void()> &reset, QWidget *focus,
                            const QString &information)
{
    if (position() == 0) {
        Seams::Messages::warning(m_window, notStoredWarning);
        return false;
    }
    if (reset)
        reset();
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
