/* Integer ids of the resources that are looked up by number. Plain #defines only, so that both
   the C++ sources and the resource compiler can include this file. */
#ifndef TAVRIN_RESOURCE_IDS_H
#define TAVRIN_RESOURCE_IDS_H

/* The form icons live under integer ids so that "ICON" stays the first named group icon. */
#define IDI_FORM_CONFIGURE 101
#define IDI_FORM_PASSWORD 102

#endif
