glBegin(GL_TRIANGLES);
	//face number 1
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.25);	glVertex3f(-38.461498260498047,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(-38.461498260498047,0.,43.019901275634766);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.25);	glVertex3f(-19.230800628662109,0.,24.643899917602539);
	//face number 2
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.);	glVertex3f(-19.230800628662109,0.,43.019901275634766);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.25);	glVertex3f(-19.230800628662109,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(-38.461498260498047,0.,43.019901275634766);
	//face number 3
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.25);	glVertex3f(-19.230800628662109,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.);	glVertex3f(-19.230800628662109,0.,43.019901275634766);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.25);	glVertex3f(0.,0.,24.643899917602539);
	//face number 4
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.);	glVertex3f(0.,0.,43.019901275634766);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.25);	glVertex3f(0.,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.);	glVertex3f(-19.230800628662109,0.,43.019901275634766);
	//face number 5
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.25);	glVertex3f(0.,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.);	glVertex3f(0.,0.,43.019901275634766);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.25);	glVertex3f(19.230800628662109,0.,24.643899917602539);
	//face number 6
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.);	glVertex3f(19.230800628662109,0.,43.019901275634766);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.25);	glVertex3f(19.230800628662109,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.);	glVertex3f(0.,0.,43.019901275634766);
	//face number 7
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.25);	glVertex3f(19.230800628662109,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.);	glVertex3f(19.230800628662109,0.,43.019901275634766);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.25);	glVertex3f(38.461498260498047,0.,24.643899917602539);
	//face number 8
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.);	glVertex3f(38.461498260498047,0.,43.019901275634766);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.25);	glVertex3f(38.461498260498047,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.);	glVertex3f(19.230800628662109,0.,43.019901275634766);
	//face number 9
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.5);	glVertex3f(-38.461498260498047,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.25);	glVertex3f(-38.461498260498047,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.5);	glVertex3f(-19.230800628662109,0.,6.2677998542785645);
	//face number 10
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.25);	glVertex3f(-19.230800628662109,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.5);	glVertex3f(-19.230800628662109,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.25);	glVertex3f(-38.461498260498047,0.,24.643899917602539);
	//face number 11
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.5);	glVertex3f(-19.230800628662109,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.25);	glVertex3f(-19.230800628662109,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.5);	glVertex3f(0.,0.,6.2677998542785645);
	//face number 12
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.25);	glVertex3f(0.,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.5);	glVertex3f(0.,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.25);	glVertex3f(-19.230800628662109,0.,24.643899917602539);
	//face number 13
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.5);	glVertex3f(0.,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.25);	glVertex3f(0.,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.5);	glVertex3f(19.230800628662109,0.,6.2677998542785645);
	//face number 14
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.25);	glVertex3f(19.230800628662109,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.5);	glVertex3f(19.230800628662109,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.25);	glVertex3f(0.,0.,24.643899917602539);
	//face number 15
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.5);	glVertex3f(19.230800628662109,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.25);	glVertex3f(19.230800628662109,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.5);	glVertex3f(38.461498260498047,0.,6.2677998542785645);
	//face number 16
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.25);	glVertex3f(38.461498260498047,0.,24.643899917602539);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.5);	glVertex3f(38.461498260498047,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.25);	glVertex3f(19.230800628662109,0.,24.643899917602539);
	//face number 17
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.75);	glVertex3f(-38.461498260498047,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.5);	glVertex3f(-38.461498260498047,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.75);	glVertex3f(-19.230800628662109,0.,-12.10830020904541);
	//face number 18
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.5);	glVertex3f(-19.230800628662109,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.75);	glVertex3f(-19.230800628662109,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.5);	glVertex3f(-38.461498260498047,0.,6.2677998542785645);
	//face number 19
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.75);	glVertex3f(-19.230800628662109,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.5);	glVertex3f(-19.230800628662109,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.75);	glVertex3f(0.,0.,-12.10830020904541);
	//face number 20
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.5);	glVertex3f(0.,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.75);	glVertex3f(0.,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.5);	glVertex3f(-19.230800628662109,0.,6.2677998542785645);
	//face number 21
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.75);	glVertex3f(0.,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.5);	glVertex3f(0.,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.75);	glVertex3f(19.230800628662109,0.,-12.10830020904541);
	//face number 22
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.5);	glVertex3f(19.230800628662109,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.75);	glVertex3f(19.230800628662109,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.5);	glVertex3f(0.,0.,6.2677998542785645);
	//face number 23
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.75);	glVertex3f(19.230800628662109,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.5);	glVertex3f(19.230800628662109,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.75);	glVertex3f(38.461498260498047,0.,-12.10830020904541);
	//face number 24
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.5);	glVertex3f(38.461498260498047,0.,6.2677998542785645);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.75);	glVertex3f(38.461498260498047,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.5);	glVertex3f(19.230800628662109,0.,6.2677998542785645);
	//face number 25
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,1.);	glVertex3f(-38.461498260498047,0.,-30.48430061340332);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.75);	glVertex3f(-38.461498260498047,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,1.);	glVertex3f(-19.230800628662109,0.,-30.48430061340332);
	//face number 26
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.75);	glVertex3f(-19.230800628662109,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,1.);	glVertex3f(-19.230800628662109,0.,-30.48430061340332);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.75);	glVertex3f(-38.461498260498047,0.,-12.10830020904541);
	//face number 27
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,1.);	glVertex3f(-19.230800628662109,0.,-30.48430061340332);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.75);	glVertex3f(-19.230800628662109,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,1.);	glVertex3f(0.,0.,-30.48430061340332);
	//face number 28
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.75);	glVertex3f(0.,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,1.);	glVertex3f(0.,0.,-30.48430061340332);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.25,0.75);	glVertex3f(-19.230800628662109,0.,-12.10830020904541);
	//face number 29
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,1.);	glVertex3f(0.,0.,-30.48430061340332);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.75);	glVertex3f(0.,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,1.);	glVertex3f(19.230800628662109,0.,-30.48430061340332);
	//face number 30
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.75);	glVertex3f(19.230800628662109,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,1.);	glVertex3f(19.230800628662109,0.,-30.48430061340332);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.5,0.75);	glVertex3f(0.,0.,-12.10830020904541);
	//face number 31
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,1.);	glVertex3f(19.230800628662109,0.,-30.48430061340332);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.75);	glVertex3f(19.230800628662109,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(38.461498260498047,0.,-30.48430061340332);
	//face number 32
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.75);	glVertex3f(38.461498260498047,0.,-12.10830020904541);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(38.461498260498047,0.,-30.48430061340332);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.75,0.75);	glVertex3f(19.230800628662109,0.,-12.10830020904541);
glEnd();