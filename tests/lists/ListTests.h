#pragma once

#include "tests/support/WhenModalOpens.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// Each test file adds its class with REGISTER_LIST_TEST; main runs them in link order.
std::vector<std::function<QObject *()>> &listTestFactories();

#define REGISTER_LIST_TEST(Class)                                                                  \
    namespace {                                                                                    \
    const bool registered##Class = [] {                                                            \
        listTestFactories().push_back([] { return new Class; });                                   \
        return true;                                                                               \
    }();                                                                                           \
    }

// Creates file path (and its folders) with the given content; false on failure.
bool makeFile(const QString &path, const QByteArray &content = "x");
