#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class MainEditorViewController;
class PendingReplies;

// The driver's actions on the editor's side pages, performed through the real widgets:
//   search TEXT          types TEXT into the views page's search field (replacing what was there)
//                        and prints "node DEPTH ID NAME CLASS" per shown row, or "empty TITLE"
//   rows R,R,...         selects those shown rows (0-based) of the views page's outline
//   row-menu R           prints "menu TITLE" per visible titled item of row R's menu
//   delete-instance R    runs "Delete Instance" of row R's menu and prints "request PATH" per
//                        request it caused, the reload included; fails when a reply fails, or
//                        the delete's reply or the reload does not come within the time limit
//   colors SCOPE TEXT    on the colours page: scope "screen" or "project", then the search text;
//   text-styles SCOPE TEXT   prints "card NAME | INFO | ..." per card shown, or "empty TITLE"
class SidePageActions {
public:
    enum class Kind { search, rows, rowMenu, deleteInstance, colors, textStyles };
    struct Action {
        Kind kind = Kind::search;
        QString text;
        QString scope;
        std::vector<int> rows;
    };

    // The action named `name` with its arguments taken from `next` (which answers none when the
    // command line has no more); none with `problem` set on a mistake, or when `name` is not a
    // side-page action at all (then `problem` stays empty).
    static std::optional<Action> parse(const QString& name, const std::function<std::optional<QString>()>& next,
                                       QString* problem);

    // `waitFor` runs the event loop until its condition holds; false when a reply failed, the
    // application signed out or the time ran out first. `replies` tells which requests are still out.
    SidePageActions(std::function<void(const QString&)> print,
                    std::function<bool(const std::function<bool()>&)> waitFor, const PendingReplies& replies);

    // Performs the action on the pages of `editor`'s window; answers what failed (a page that
    // cannot be found, a reply that failed), or nothing.
    std::optional<QString> perform(MainEditorViewController* editor, const Action& action);

private:
    bool search(MainEditorViewController* editor, const QString& text);
    bool selectRows(MainEditorViewController* editor, const std::vector<int>& rows);
    bool rowMenu(MainEditorViewController* editor, int row);
    std::optional<QString> deleteInstance(MainEditorViewController* editor, int row);
    bool cards(MainEditorViewController* editor, Kind kind, const QString& scope, const QString& text);

    std::function<void(const QString&)> m_print;
    std::function<bool(const std::function<bool()>&)> m_waitFor;
    const PendingReplies& m_replies; // not owned: the driver's
};
