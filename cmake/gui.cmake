# Qt 6 Widgets layer: the windows of the six applications. Sources live in the
# "ui" subfolders of the subsystem folders; each application is apps/<name>/main.cpp.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets PrintSupport Test LinguistTools)
