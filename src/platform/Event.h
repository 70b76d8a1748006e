#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>

template <typename Signature> class Event;

// A control's event, bound to one handler that lives as long as its context object:
// once the context is destroyed the handler never runs again. Raising an event with no
// live handler yields the result type's default (false, 0, an invalid colour, nullptr).
template <typename R, typename... Args> class Event<R(Args...)> {
public:
    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    // Replaces any handler bound before.
    template <typename F> void connect(QObject* context, F&& handler)
    {
        mContext = context;
        mHandler = std::forward<F>(handler);
    }

    void disconnect()
    {
        mContext.clear();
        mHandler = nullptr;
    }

    bool isConnected() const { return mHandler && !mContext.isNull(); }
    explicit operator bool() const { return isConnected(); }

    R operator()(Args... args) const
    {
        if (!isConnected())
            return R();
        return mHandler(std::forward<Args>(args)...);
    }

private:
    QPointer<QObject> mContext;
    std::function<R(Args...)> mHandler;
};
