#pragma once
// The setting of an editor test: the seams scripted, a fresh program folder, the editor registered, shown and
// active; emptied again after every test function.

#include "TestSupport.h"

#include "core/widgets/Forms.h"

#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

template <class Editor> class EditorFixture {
protected:
    explicit EditorFixture(QString defaultYear = {}) : m_defaultYear(std::move(defaultYear)) {}

    // From the test's init(); a failure is recorded there and the test function skipped.
    void setUpEditor(const QDate &today = QDate(2024, 3, 15))
    {
        TestSupport::resetSeams(today);
        folder = std::make_unique<TestProgramFolder>();
        ed = new Editor;
        Forms::add(ed);
        QVERIFY(TestSupport::showActive(ed));
    }
    // From the test's cleanup(): the seams checked, then the editor closed.
    void tearDownEditor()
    {
        TestSupport::checkSeams();
        Forms::clear();
        ed = nullptr;
        folder.reset();
    }
    // The year's archive opened as the user does: the year typed, then "Apri".
    void openYear(const QString &year)
    {
        ed->txtAnno->setText(year);
        QTest::mouseClick(ed->btnApri, Qt::LeftButton);
    }
    void openYear() { openYear(m_defaultYear); }

    Editor *ed = nullptr;
    std::unique_ptr<TestProgramFolder> folder;

private:
    QString m_defaultYear;
};
