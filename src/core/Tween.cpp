#include "core/Tween.hpp"

#include "core/Easing.hpp"

void Tween::set(float fromValue, float toValue, float durationSeconds, int easeType, float delaySeconds)
{
    type = easeType;
    from = fromValue;
    to = toValue;
    change = toValue - fromValue;
    duration = durationSeconds;
    delay = delaySeconds;
    elapsed = 0.0f;
    current = fromValue;
}

void Tween::play()
{
    active = true;
}

void Tween::start(float fromValue, float toValue, float durationSeconds, int easeType, float delaySeconds)
{
    set(fromValue, toValue, durationSeconds, easeType, delaySeconds);
    play();
}

void Tween::advance(float dt)
{
    if (!active)
        return;
    if (delay > 0.0f) {
        delay -= dt;
        if (delay < 0.0f)
            delay = 0.0f;
        return;
    }
    elapsed += dt;
}

float Tween::evaluate()
{
    current = ease(type, elapsed, from, change, duration);
    if (elapsed >= duration) {
        current = to;
        active = false;
    }
    return current;
}

void Tween::update(float dt)
{
    if (!active)
        return;
    advance(dt);
    evaluate();
}
