#define MAX(a,b) ((a)>(b)?(a):(b))
typedef unsigned char BYTE;
enum color { RED, GREEN = 2 };
struct point { int x; int y; } origin;
static int counter = 0;
int add(int a, int b);
#if defined(X)
int f(int a)
#else
int f(long a)
#endif
{
    int local = a;
    return add(local, 1);
}
class Shape { public: int area(); };
int Shape::area() { return 0; }
