// The search box's input method on Windows: each time the box gets the focus the input method
// is open in full-width hiragana mode, whatever the user switched it to meanwhile. Needs real
// window handles: run with the windows platform plugin (the Windows stage does, under Xvfb).
#include "app/InputMethod.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <qt_windows.h>

#include <imm.h>

namespace {

struct ImeState {
    bool open = false;
    DWORD conversion = 0;
};

ImeState imeState(QWidget* widget) {
    const auto window = reinterpret_cast<HWND>(widget->window()->winId());
    ImeState state;
    if (const HIMC context = ImmGetContext(window)) {
        DWORD sentence = 0;
        state.open = ImmGetOpenStatus(context);
        ImmGetConversionStatus(context, &state.conversion, &sentence);
        ImmReleaseContext(window, context);
    }
    return state;
}

void switchToAlphanumeric(QWidget* widget) {
    const auto window = reinterpret_cast<HWND>(widget->window()->winId());
    const HIMC context = ImmGetContext(window);
    ImmSetConversionStatus(context, IME_CMODE_ALPHANUMERIC, IME_SMODE_NONE);
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(window, context);
}

} // namespace

class InputMethodTest : public QObject {
    Q_OBJECT

private slots:
    void focusTurnsFullWidthHiraganaOnEachTime() {
        if (QGuiApplication::platformName() != QLatin1String("windows"))
            QSKIP("needs the windows platform plugin (window handles of its own)");
        QWidget window;
        auto* const layout = new QVBoxLayout(&window);
        auto* const searchBox = new QLineEdit(&window);
        auto* const otherBox = new QLineEdit(&window);
        layout->addWidget(otherBox);
        layout->addWidget(searchBox);
        mervasto::useFullWidthHiraganaOnFocus(searchBox);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const DWORD hiragana = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;

        for (int round = 0; round < 2; ++round) {
            otherBox->setFocus();
            switchToAlphanumeric(otherBox);
            QCOMPARE(imeState(otherBox).conversion & hiragana, DWORD(0));
            searchBox->setFocus();
            QTRY_VERIFY(searchBox->hasFocus());
            const ImeState state = imeState(searchBox);
            QVERIFY(state.open);
            QCOMPARE(state.conversion & hiragana, hiragana);
        }
    }
};

QTEST_MAIN(InputMethodTest)
#include "InputMethodTest.moc"
