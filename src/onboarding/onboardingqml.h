#pragma once

#include <QUrl>

class QQmlEngine;

// Makes the onboarding's QML module (and the popover module whose style and
// controls it uses) available in an engine. Call once per engine before
// loading onboardingViewUrl().
void installOnboardingQml(QQmlEngine &engine);

// The onboarding window's content (OnboardingView.qml); it takes the page
// state as its required property `onboarding`.
QUrl onboardingViewUrl();
