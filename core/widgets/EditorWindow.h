#pragma once
// The editor window every record editor derives from (the slip, applicant and deadline editors): the navigation
// row with the position label, the status line and its hints, the command column built from a table, the
// optional year panel, maximising on show, the save-check loop, duplicate, the key table, and the fields built
// from one field table that gives each control its place, size, rule, Enter successor, tab position, reset value
// and calendar key. An editor states only its fields, its checks and its texts.

#include "core/Record.h"
#include "core/Seams.h"
#include "core/widgets/EditorFrame.h"
#include "core/widgets/Picture.h"

#include <QFont>
#include <QKeyCombination>
#include <QList>
#include <QPair>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <span>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The keys of the editors' commands, each stated once; an editor's command table names them.
namespace EditorKeys {
inline constexpr QKeyCombination salva = Qt::CTRL | Qt::Key_S;
inline constexpr QKeyCombination nuovo = Qt::CTRL | Qt::Key_N;
inline constexpr QKeyCombination duplica = Qt::CTRL | Qt::Key_D;
inline constexpr QKeyCombination trova = Qt::CTRL | Qt::Key_F;
inline constexpr QKeyCombination stampa = Qt::CTRL | Qt::Key_P;
inline constexpr QKeyCombination guida = QKeyCombination(Qt::Key_F1);
inline constexpr QKeyCombination anteprima = Qt::CTRL | Qt::SHIFT | Qt::Key_P;
inline constexpr QKeyCombination allega = Qt::CTRL | Qt::SHIFT | Qt::Key_A;
inline constexpr QKeyCombination esporta = Qt::CTRL | Qt::Key_E;
inline constexpr QKeyCombination esci = Qt::CTRL | Qt::Key_Q;
// An editor's lists, in the order its column shows them.
inline constexpr QKeyCombination lists[] = {QKeyCombination(Qt::Key_F5), QKeyCombination(Qt::Key_F6),
                                            QKeyCombination(Qt::Key_F7)};
inline constexpr QKeyCombination primo = Qt::ALT | Qt::Key_Home;
inline constexpr QKeyCombination indietro = Qt::ALT | Qt::Key_PageUp;
inline constexpr QKeyCombination avanti = Qt::ALT | Qt::Key_PageDown;
inline constexpr QKeyCombination ultimo = Qt::ALT | Qt::Key_End;
} // namespace EditorKeys

// What a field holds and how it is entered.
enum class FieldRule {
    Free,      // any text the archive can store
    Upper,     // letters a to z in capitals as typed
    TrimUpper, // blanks trimmed, capitals
    Trimmed,   // blanks trimmed, the case kept (e-mail addresses)
    Digits,    // digits only
    Amount,    // digits and one comma
    Date,      // read-only, filled from the calendar (calendarTag)
    ReadOnly,  // shown, never typed into (the amount in words)
    PickList,  // a drop-down whose values are only picked from its list (items)
    EditList,  // a drop-down that also takes a typed value (capitals, trimmed)
    Check,     // a check box storing "Sì"/"No"
    Label,     // a label showing stored text
    Hidden,    // a hidden label carrying data between windows
};

struct EditorField {
    const char *name; // objectName; a record field's control or one of the editor's own
    FieldRule rule = FieldRule::Free;
    const char16_t *caption = nullptr; // the field's label; a check box's own text
    QPoint captionAt = {};             // where the label sits on the field's panel; null: the editor lays it out
    const char *parent = nullptr;      // objectName of the panel it sits on; null: the editor's field panel
    QRect place = {};                  // geometry on that panel; empty: the editor lays it out
    int maxLength = 0;                 // 0: the record field's capacity (none for a field that is not stored)
    Qt::Alignment align = Qt::AlignLeft;
    const char16_t *reset = u"";             // what a new record starts with
    const char *calendarTag = nullptr;       // Date: the caller tag handed to the calendar
    const QStringList &(*items)() = nullptr; // PickList, EditList: the list
    int font = 0;                            // index into the editor's fonts; -1: the style's own
    bool duplicateResets = false;            // Duplica puts the reset value back
    const char *beside = nullptr;            // a control that follows the field in the tab order (its check button)
};

// One command of the editor's column.
template <class T> struct EditorCommand {
    Picture *T::*member;
    const char *name; // objectName
    const char *svg;  // picture in the icon set
    const char16_t *caption;
    const char16_t *hint;
    QKeyCombination key = {};
    void (T::*click)() = nullptr;
};

class TEditorWindow : public QWidget {
    Q_OBJECT
public:
    struct Config {
        QString name;  // the window's objectName
        QString title; // caption; the open year is appended to it
        const RecordLayout *layout = nullptr;
        QString archive;       // the archive in the program folder, for an editor without a year panel
        QString yearExtension; // with a year panel: the archive is "<year><extension>"
        Seams::MsgKind saveFailureKind = Seams::MsgKind::Error;
        QString insertedMessage; // shown after an append
        QString helpPage;
        QString readyText; // the status line of a new record
        QString notStoredWarning = QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                                                  "dopo che questa è stata inserita in archivio.");
        QString duplicatedInformation = QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                                       "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                                       "scheda in archivio.");
    };

    TEditorWindow(Config config, QWidget *parent = nullptr);

    // Year panel (editors with a yearExtension)
    QLineEdit *txtAnno = nullptr;
    QPushButton *btnApri = nullptr;
    QLabel *lblFile = nullptr;
    // Navigation and status
    Picture *cmdPrimo = nullptr, *cmdIndietro = nullptr, *cmdAvanti = nullptr, *cmdUltimo = nullptr;
    QLabel *lblPosizione = nullptr;
    QLabel *panInfo = nullptr;
    QPushButton *btnFocus = nullptr;
    // The commands every editor has
    Picture *cmdNuovo = nullptr, *cmdSalva = nullptr, *cmdTrova = nullptr, *cmdStampa = nullptr, *cmdEsporta = nullptr,
            *cmdGuida = nullptr, *cmdEsci = nullptr;

    EditorFrame *frame() const { return m_frame; }
    // The editor's own control of that name (never one of a window it opened); null when there is none.
    QWidget *field(const QString &name) const;
    template <class W> W *field(const char *name) const { return qobject_cast<W *>(field(QString::fromLatin1(name))); }

    void btnApriClick();
    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdDuplicaClick();
    void cmdGuidaClick();
    void cmdEsciClick() { close(); }
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    // The record shown from a list or a search, once unsaved changes are saved or given up; false when the user
    // chose to stay on the record shown.
    bool showRecord(const Record &record, qint64 position);
    // The screen differs from the record as it was loaded, saved or started.
    bool modified() const;
    // Before the screen is replaced: asks whether to save changes that would be lost. Sì saves and goes on only
    // when the save succeeded, No goes on without them, Annulla stays. True to go on.
    bool mayReplaceScreen();

    // (key, command caption) of every editor command, in the order the guide lists them.
    static QList<QPair<QString, QString>> keyList();

protected:
    // The year panel's field and button on box, for the editor to place; Enter in the field presses Apri.
    void buildYearPanel(QWidget *box);
    // The status line on panel, white on slate blue, for the editor to place.
    QLabel *buildStatusLine(QWidget *panel);
    // The navigation row (first, previous, position, next, last) on panel, for the editor to place.
    QWidget *buildNavigation(QWidget *panel);
    // Fields from the table, on panels found by name (null: fieldPanel), with their captions in captionFont.
    // Creation, rules, the Enter chain (each typed field to the next typed one of the table, the last back to the
    // first; a date field moves on after its import), the tab order (the table's) and the reset derive from it.
    void buildFields(std::span<const EditorField> fields, QWidget *fieldPanel, const QList<QFont> &fonts,
                     const QFont *captionFont = nullptr);
    // The label made for a field's caption; null when it has none.
    QLabel *captionOf(const char *field) const;
    // Once every control exists: the record frame bound to them, the keys, the hints, the tab order.
    void finishEditor();
    // The command column from its table, top to bottom (the last one, Esci, kept at the bottom when the column
    // is taller), each picture size x size with spacing between them, its caption beside it when captions is
    // set (a click on the caption is a click on the command); returns the column for the editor to place.
    template <class T>
    QWidget *buildCommands(T *self, QWidget *panel, std::span<const EditorCommand<T>> commands, int size, int spacing,
                           bool captions);
    // Hints for controls that are not commands (check boxes, side buttons).
    void hints(const QList<QPair<QWidget *, QString>> &hints);
    // Applies the save checks in order: the first that fails shows its message and takes the focus to its field
    // (or leaves the focus where it is). False when one failed.
    struct SaveCheck {
        bool failed;
        Seams::MsgKind kind;
        QString message;
        QWidget *focus;
    };
    bool passes(std::initializer_list<SaveCheck> checks);
    // The fields to their reset values, the position emptied.
    void resetFields();
    // A new record on the screen, as Nuovo makes it, without asking (the editor is just shown or opened).
    void startNew();
    // What is on the screen now counts as unchanged.
    void markUnchanged();
    // An amount field's text as the archives write amounts ("30,50"), when it can be read as one.
    static void formatAmount(QLineEdit *field);
    // The editor's checks, every date field empty or a real day, then the save.
    bool saveScreen();
    bool datesReadable();
    bool amountsReadable();
    // Texts handed over longer than their fields can store: named in panInfo while they are, asked about at save.
    QStringList longTexts(QWidget **first = nullptr) const;
    void noteLongTexts();
    void showState();
    bool longTextsAccepted();
    QWidget *firstField() const;

    // What an editor adds to the shared steps.
    virtual bool readyToSave() = 0; // the checks; true to store the record
    virtual void yearOpened(const QString &year) { Q_UNUSED(year) }
    virtual void afterReset() {}
    virtual void afterLoad() {}
    virtual void afterDuplicate() {}
    virtual void afterShow() {}
    virtual void beforeClose() {}

    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

    // Each field's row, by the control it made.
    const EditorField *rowOf(const QWidget *control) const;

private:
    QWidget *makeCommandColumn(QWidget *panel, int spacing);
    Picture *addCommand(QWidget *column, const char *name, const char *svg, int size, const QString &caption,
                        bool last);
    void bindCommand(Picture *command, QKeyCombination key, const QString &hint);
    void navigate(bool (EditorFrame::*step)());
    QString archivePath() const;

    Config m_config;
    EditorFrame *m_frame = nullptr;
    struct Built {
        const EditorField *row;
        QWidget *control;
        QLabel *caption;
    };
    QList<Built> m_fields;
    QByteArray m_unchanged; // the screen as a record when it was last loaded, saved or started
    bool m_longTextsNoted = false;
    QList<QPair<QWidget *, QString>> m_commandHints;
    QList<QKeyCombination> m_keys;
};

template <class T>
QWidget *TEditorWindow::buildCommands(T *self, QWidget *panel, std::span<const EditorCommand<T>> commands, int size,
                                      int spacing, bool captions)
{
    QWidget *column = makeCommandColumn(panel, spacing);
    for (const auto &c : commands) {
        Picture *p = addCommand(column, c.name, c.svg, size, captions ? QString::fromUtf16(c.caption) : QString(),
                                &c == &commands.back());
        self->*(c.member) = p;
        if (c.click)
            connect(p, &Picture::clicked, self, c.click);
        bindCommand(p, c.key, QString::fromUtf16(c.hint));
    }
    return column;
}
