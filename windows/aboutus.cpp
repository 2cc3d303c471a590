#include "windows/aboutus.h"

AboutUs::AboutUs(QWidget *parent)
    : QWidget(parent)
{}

AboutUs::~AboutUs() = default;
