#include "app/InputMethod.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <QEvent>
#include <QObject>
#include <qt_windows.h>

#include <imm.h>
#endif

namespace mervasto {

#ifdef Q_OS_WIN

namespace {

void switchToFullWidthHiragana(QWidget* textBox) {
    const auto window = reinterpret_cast<HWND>(textBox->window()->winId());
    const HIMC context = ImmGetContext(window);
    if (!context)
        return;
    DWORD conversion = 0;
    DWORD sentence = 0;
    ImmGetConversionStatus(context, &conversion, &sentence);
    ImmSetOpenStatus(context, TRUE);
    ImmSetConversionStatus(context, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE, sentence);
    ImmReleaseContext(window, context);
}

class HiraganaOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            switchToFullWidthHiragana(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void useFullWidthHiraganaOnFocus(QWidget* textBox) {
    textBox->installEventFilter(new HiraganaOnFocus(textBox));
}

#else

void useFullWidthHiraganaOnFocus(QWidget*) {}

#endif

} // namespace mervasto
