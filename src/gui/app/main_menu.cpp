#include "gui/app/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

struct MenuEntry {
    const char* menu;  // drop-down object name; nullptr for a command directly on the menu bar
    const char* menuCaption;
    const char* subMenu;  // sub-menu object name inside the drop-down, or nullptr
    const char* subCaption;
    const char* item;  // action object name; nullptr for a separator
    const char* caption;
    MenuCommand command;
    const char* window;  // the window an analysis item opens; its menu caption may differ
};

using C = MenuCommand;
constexpr const char* kKatsuyo = "mnuYosoKatsuyo";
constexpr const char* kMain = "mnuMain";
constexpr const char* kHosyu = "mnuHosyu";
constexpr const char* kWindow = "mnuWindow";
constexpr const char* kHelp = "mnuHelp";

// clang-format off
constexpr MenuEntry kMenu[] = {
    {nullptr, nullptr, nullptr, nullptr, "mnuEnd", "終了(&X)", C::End, nullptr},
    // 一発ボボーン予想 stays a command directly on the menu bar; what builds on its suggestions
    // has a menu of its own beside it.
    {nullptr, nullptr, nullptr, nullptr, "mnuYoso", "一発ボボーン予想(&D)", C::Prediction, nullptr},
    {kKatsuyo, "予想の活用(&K)", nullptr, nullptr, "mnuYosoKensyo", "予想の検証(&B)", C::Backtest, nullptr},
    {kKatsuyo, "予想の活用(&K)", nullptr, nullptr, nullptr, nullptr, C::End, nullptr},
    {kKatsuyo, "予想の活用(&K)", nullptr, nullptr, "mnuCombination", "組合せ作成(&C)", C::Combination, nullptr},
    {kKatsuyo, "予想の活用(&K)", nullptr, nullptr, "mnuTicketRegister", "購入記録(&T)", C::TicketRegister, nullptr},
    {kMain, "データ分析(&S)", "mnuHindo", "頻度分析", "mnuSyutugenHindo", "出現頻度分析", C::Analysis, "出現頻度分析"},
    {kMain, "データ分析(&S)", "mnuHindo", "頻度分析", "mnuSyutugenKaisu", "回数別出現分析", C::Analysis, "回数別出現分析"},
    {kMain, "データ分析(&S)", "mnuKankaku", "間隔分析", "mnuSyutugenKankaku", "出現間隔分析", C::Analysis, "出現間隔分析"},
    {kMain, "データ分析(&S)", "mnuKankaku", "間隔分析", "mnuNumberKankaku", "数字間隔分析", C::Analysis, "数字間隔分析"},
    {kMain, "データ分析(&S)", nullptr, nullptr, "mnuZenkaiSyutugen", "出現回数分析", C::Analysis, "出現回数分析"},
    {kMain, "データ分析(&S)", nullptr, nullptr, "mnuBaratsuki", "バラツキ分析", C::Analysis, "バラツキ分析"},
    {kMain, "データ分析(&S)", nullptr, nullptr, "mnuHippari", "引っ張り分析", C::Analysis, "引っ張り分析"},
    {kMain, "データ分析(&S)", nullptr, nullptr, "mnuRenbanTobiishi", "連番・飛び石分析", C::Analysis, "連番飛び石分析"},
    {kMain, "データ分析(&S)", nullptr, nullptr, "mnuHonsuji", "数字合計分析", C::Analysis, "数字合計分析"},
    {kMain, "データ分析(&S)", "mnuPattern", "組合せパターン分析", "mnuLowHightPattern", "低数字・高数字の組合せパターン分析", C::Analysis, "低数字高数字の組合せパターン分析"},
    {kMain, "データ分析(&S)", "mnuPattern", "組合せパターン分析", "mnuKisuGusuPattern", "偶数・奇数の組合せパターン分析", C::Analysis, "偶数奇数の組合せパターン分析"},
    {kMain, "データ分析(&S)", nullptr, nullptr, "mnu5BunkatsuKeiko", "4分割傾向分析", C::Analysis, "分割4傾向分析"},
    {kMain, "データ分析(&S)", "mnuBunkatsuData", "分割データ分析", "mnu6BunkatsuData", "6分割データ分析", C::Analysis, "分割6データ分析"},
    {kMain, "データ分析(&S)", "mnuBunkatsuData", "分割データ分析", "mnu7BunkatsuData", "7分割データ分析", C::Analysis, "分割7データ分析"},
    {kMain, "データ分析(&S)", "mnuBunkatsuData", "分割データ分析", "mnu11BunkatsuData", "10分割データ分析", C::Analysis, "分割10データ分析"},
    {kMain, "データ分析(&S)", nullptr, nullptr, "mnuLastChar", "下一桁出現傾向分析", C::Analysis, "下一桁出現傾向分析"},
    {kMain, "データ分析(&S)", nullptr, nullptr, "mnuLastCharRenzoku", "下一桁連続出現回数分析", C::Analysis, "下一桁連続出現回数分析"},
    {kMain, "データ分析(&S)", nullptr, nullptr, nullptr, nullptr, C::End, nullptr},
    {kMain, "データ分析(&S)", nullptr, nullptr, "mnuStatistics", "統計グラフ(&G)", C::Statistics, nullptr},
    {kHosyu, "データ管理(&M)", nullptr, nullptr, "mnuMasterUpdate", "当選データ最新化(&U)", C::Update, nullptr},
    {kHosyu, "データ管理(&M)", nullptr, nullptr, "mnuMasterInput", "当選データ入力(&I)", C::Input, nullptr},
    {kHosyu, "データ管理(&M)", nullptr, nullptr, nullptr, nullptr, C::End, nullptr},
    {kHosyu, "データ管理(&M)", nullptr, nullptr, "mnuCsvImport", "CSVファイルから取り込み(&C)...", C::CsvImport, nullptr},
    {kHosyu, "データ管理(&M)", nullptr, nullptr, "mnuCsvExport", "CSVファイルへ書き出し(&X)...", C::CsvExport, nullptr},
    {kHosyu, "データ管理(&M)", nullptr, nullptr, nullptr, nullptr, C::End, nullptr},
    {kHosyu, "データ管理(&M)", nullptr, nullptr, "mnuSettings", "設定(&S)...", C::Settings, nullptr},
    // No list of open windows: the menu holds the four arrangements only.
    {kWindow, "ウィンドウ(&W)", nullptr, nullptr, "mnuWindowHorizontal", "上下に並べて表示(&H)", C::TileOneAboveTheOther, nullptr},
    {kWindow, "ウィンドウ(&W)", nullptr, nullptr, "mnuWindowVertical", "左右に並べて表示(&V)", C::TileSideBySide, nullptr},
    {kWindow, "ウィンドウ(&W)", nullptr, nullptr, "mnuWindowCascade", "重ねて表示(&C)", C::Cascade, nullptr},
    {kWindow, "ウィンドウ(&W)", nullptr, nullptr, "mnuWindowArrangeIcon", "アイコンの整列(&A)", C::ArrangeIcons, nullptr},
    {kHelp, "ヘルプ(&H)", nullptr, nullptr, "mnuHelpFile", "ヘルプ(&H)", C::Help, nullptr},
    {kHelp, "ヘルプ(&H)", nullptr, nullptr, "mnuAbout", "バージョン情報(&A)", C::About, nullptr},
};
// clang-format on

QMenu* makeMenu(QWidget* parent, const char* name, const char* caption)
{
    auto* menu = new QMenu(QString::fromUtf8(caption), parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

}  // namespace

void buildMainMenu(QMenuBar* bar, QObject* actionParent,
                   const std::function<void(MenuCommand, const QString& window)>& run)
{
    QMenu* menu = nullptr;
    QMenu* subMenu = nullptr;
    for (const MenuEntry& entry : kMenu) {
        if (!entry.menu) {
            menu = subMenu = nullptr;
        } else if (!menu || menu->objectName() != QLatin1String(entry.menu)) {
            menu = makeMenu(bar, entry.menu, entry.menuCaption);
            bar->addMenu(menu);
            subMenu = nullptr;
        }
        if (!entry.item) {
            menu->addSeparator();
            continue;
        }
        QWidget* target = menu;
        if (entry.subMenu) {
            if (!subMenu || subMenu->objectName() != QLatin1String(entry.subMenu)) {
                subMenu = makeMenu(menu, entry.subMenu, entry.subCaption);
                menu->addMenu(subMenu);
            }
            target = subMenu;
        } else {
            subMenu = nullptr;
        }
        auto* action = new QAction(QString::fromUtf8(entry.caption), actionParent);
        action->setObjectName(QString::fromLatin1(entry.item));
        const QString window = entry.window ? QString::fromUtf8(entry.window) : QString();
        if (!window.isEmpty()) action->setData(window);
        const MenuCommand command = entry.command;
        QObject::connect(action, &QAction::triggered, actionParent,
                         [run, command, window] { run(command, window); });
        if (target)
            target->addAction(action);
        else
            bar->addAction(action);
    }
}
