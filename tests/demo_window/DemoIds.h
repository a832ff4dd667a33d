// Resource ids of the demo window, apart from the program's own (res/resource.h), so the demo
// never picks up the product's menu or title.
#pragma once

#define IDR_DEMOFRAME 300
