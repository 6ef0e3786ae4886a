#include "FakeDesktop.h"

namespace mervasto::test {

Desktop::Answer FakeDesktop::showMessage(QWidget*, const QString& text, const QString& title,
                                         Icon icon, Buttons buttons) {
    messages.append({text, title, icon, buttons});
    if (answers.empty())
        return buttons == Buttons::Ok ? Answer::Ok : questionAnswer;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> FakeDesktop::chooseOpenFile(QWidget*, const QString& filter) {
    fileFilters << filter;
    if (chosenFiles.empty())
        return std::nullopt;
    const bool cancelled = !chosenFiles.front().has_value();
    const QString path = chosenFiles.front().value_or(QString());
    chosenFiles.pop_front();
    if (cancelled)
        return std::nullopt;
    return path;
}

std::optional<QString> FakeDesktop::readSetting(const QString& key) {
    const auto found = settings.constFind(key);
    if (found == settings.constEnd())
        return std::nullopt;
    return *found;
}

} // namespace mervasto::test
