/* main.c */
int main(void)
{
	helper();
	return 0;
}
