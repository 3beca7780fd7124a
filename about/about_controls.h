// Identifiers of the About box's controls and its re-enable timer.
#pragma once

#define IDC_ABOUT_WEBSITE 2000
#define IDC_ABOUT_MAIL 2001
#define IDC_ABOUT_TITLE 2002
#define IDC_ABOUT_CONTACT 2003
#define IDC_ABOUT_NOTICE 2004
#define IDC_ABOUT_REPORT 2005
#define IDC_ABOUT_DONATION 2006
#define IDC_ABOUT_ICON 2007
#define IDC_ABOUT_FEEDBACK 2009

// Not a control: the timer that gives the buttons back after an action.
#define ReenableTimer 2008
