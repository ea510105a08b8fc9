#pragma once
// Keeps a load or a save of the window alone while it lets the window process
// events: user input to the window is dropped meanwhile, and a request to close
// the window waits until the run has ended. Message boxes the run shows are
// windows of their own and keep taking input.
#include <QObject>

#include <type_traits>

class QWidget;

class RunGuard : public QObject {
    Q_OBJECT
public:
    explicit RunGuard(QWidget& window);
    ~RunGuard() override;

    bool Busy() const { return depth_ > 0; }

    // Runs the command unless a load or a save is running; one that arrives
    // meanwhile is dropped and gives the empty result (false, nothing).
    template <typename Command>
    std::invoke_result_t<Command&> UnlessBusy(Command&& command) const {
        using Result = std::invoke_result_t<Command&>;
        return Busy() ? Result() : command();
    }

    // The same for a command that must run alone: a load or a save, or one
    // that leads to them or to a file changing, with its messages.
    template <typename Command>
    std::invoke_result_t<Command&> Alone(Command&& command) {
        return UnlessBusy([this, &command] {
            const Scope running(*this);
            return command();
        });
    }

    // Remembers a close request that arrived during a run.
    void DeferClose() { closeWanted_ = true; }

    // Marks one run; the last one to end closes the window if that was asked
    // for meanwhile (queued, so the caller's code finishes first).
    class Scope {
    public:
        explicit Scope(RunGuard& guard);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        RunGuard& guard_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Begin();
    void End();
    bool IsInputToWindow(QObject* watched, const QEvent* event) const;

    QWidget& window_;
    int depth_ = 0;
    bool closeWanted_ = false;
};
