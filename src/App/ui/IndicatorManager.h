#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QEvent;

// Holder of the one shared loading indicator: a translucent overlay with a busy bar that covers
// a target widget and follows its size. Adding it again moves it to the new target.
class IndicatorManager : public QObject {
    Q_OBJECT

public:
    static IndicatorManager& shared();

    // Shows the indicator over `targetView`; without one, over the content of the active window
    // (or of the first visible window). Does nothing when there is no window at all.
    void addIndicator(QWidget* targetView);
    // Takes the indicator out of its target, stops and hides it. Harmless when none is up.
    void removeIndicator();

    bool isShowing() const { return m_container && m_container->isVisible(); }
    QWidget* target() const { return m_target.data(); }
    QWidget* container() const { return m_container.data(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    IndicatorManager() = default;
    static QWidget* defaultTarget();

    QPointer<QWidget> m_target;    // not owned
    QPointer<QWidget> m_container; // owned through the target's widget tree
};
