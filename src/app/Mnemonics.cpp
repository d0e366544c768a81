#include "app/Mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "i18n/Language.h"

namespace morvalen::app {

namespace {

// The Alt letter of a text: the character after its single '&', upper case; none without one.
QChar mnemonicOf(const QString& text) {
    const qsizetype at = text.indexOf('&');
    return at >= 0 && at + 1 < text.size() && text[at + 1] != '&' ? text[at + 1].toUpper() : QChar();
}

// Gives each item of `menu` (and of its submenus) without an Alt letter the first letter or digit of its text that no
// other item of the menu has, or else the first free letter, written behind the text as Chinese menus write it.
void addItemMnemonics(QMenu& menu) {
    QString taken;
    for (const QAction* action : menu.actions()) {
        if (const QChar letter = mnemonicOf(action->text()); !letter.isNull()) taken += letter;
    }
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        if (QMenu* submenu = action->menu()) addItemMnemonics(*submenu);
        QString text = action->text();
        if (text.isEmpty() || !mnemonicOf(text).isNull()) continue;
        const auto free = [&](QChar c) { return c.isLetterOrNumber() && c.unicode() < 128 && !taken.contains(c.toUpper()); };
        const auto inText = std::find_if(text.begin(), text.end(), free);
        const bool latin = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128 || c == u'…'; });
        if (inText != text.end() && (latin || i18n::currentLanguage() == i18n::Language::english)) {
            taken += inText->toUpper();
            text.insert(inText - text.begin(), '&');
        } else {
            const QString pool = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ123456789");
            const auto letter = inText != text.end() ? inText->toUpper()
                                                     : *std::find_if(pool.begin(), pool.end(), free);
            taken += letter;
            const qsizetype dots = text.endsWith(QStringLiteral("…")) ? text.size() - 1 : text.size();
            text.insert(dots, QStringLiteral("(&%1)").arg(letter));
        }
        action->setText(text);
    }
}

}  // namespace

void addMnemonics(QMenuBar& menuBar) {
    static const std::pair<const char*, QChar> letters[] = {
        {"FileMenu", 'F'}, {"EditMenu", 'E'}, {"StepsMenu", 'S'}, {"LanguageMenu", 'L'}, {"ChecksMenu", 'C'}};
    for (QAction* action : menuBar.actions()) {
        QMenu* menu = action->menu();
        if (!menu) continue;
        addItemMnemonics(*menu);
        if (action->text().contains('&')) continue;
        for (const auto& [name, letter] : letters) {
            if (menu->objectName() != name) continue;
            QString title = action->text();
            const qsizetype at = title.indexOf(letter, 0, Qt::CaseInsensitive);
            if (i18n::currentLanguage() == i18n::Language::english && at >= 0) title.insert(at, '&');
            else title += QStringLiteral("(&%1)").arg(letter);
            action->setText(title);
        }
    }
}

}  // namespace morvalen::app
