// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Registry of the QtTest classes that TestUi.cpp runs.
#include <QObject>
#include <vector>

namespace trivalto::test {

using CreaTest = QObject* (*)();
std::vector<CreaTest>& ClassiDiTest();

template <class T> struct RegistraTest {
    RegistraTest() {
        ClassiDiTest().push_back([]() -> QObject* { return new T; });
    }
};

inline std::vector<CreaTest>& ClassiDiTest() {
    static std::vector<CreaTest> classi;
    return classi;
}

} // namespace trivalto::test
