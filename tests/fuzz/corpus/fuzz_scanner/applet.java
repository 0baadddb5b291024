import java.awt.*;
public class A extends Applet
{
int x; // a field
public void init()
{
for (x = 0; x < 3; x++) { add(new Button("}")); }
}
static { y = 2; }
}
class B { void b() { /* open
